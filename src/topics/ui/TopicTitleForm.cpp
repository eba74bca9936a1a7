#include "topics/ui/TopicTitleForm.h"

#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"
#include "store/Cp1250.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace marbelo {

TopicTitleForm::TopicTitleForm(QWidget *owner, Purpose purpose)
    : QelDialog(owner, purpose == Import ? QStringLiteral("Importuj slajdy") : QStringLiteral("Zmień nazwę tematu"),
                purpose == Import ? 4120 : 4130, QSize(392, 71))
{
    const QString prefix = purpose == Import ? QStringLiteral("QelImportTitle") : QStringLiteral("QelRenameTopic");
    const auto name = [&prefix](const char *part) { return prefix + QLatin1String(part); };

    QLabel *label = addLabel(this, name("TitleLabel"), QStringLiteral("Tytuł"), QPoint(8, 12));
    m_titleEdit = addNameEdit(this, name("TitleEdit"), label, QRect(64, 8, 321, 22));
    addBevel(this, name("Bevel"), QPoint(8, 34), 377);
    m_okButton = addButton(this, name("OkButton"),
                           purpose == Import ? QStringLiteral("Importuj") : QStringLiteral("Zmień"), QPoint(150, 38));
    QPushButton *cancel = addButton(this, name("CancelButton"), QStringLiteral("Anuluj"), QPoint(230, 38));
    QPushButton *helpButton = addButton(this, name("HelpButton"), QStringLiteral("Pomoc"), QPoint(310, 38));
    m_okButton->setDefault(true);

    setTabOrder(m_titleEdit, m_okButton);
    setTabOrder(m_okButton, cancel);
    setTabOrder(cancel, helpButton);

    connect(m_titleEdit, &QLineEdit::textChanged, this, &TopicTitleForm::updateOkButton);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &QelDialog::openHelp);

    updateOkButton();
    finishLayout();
}

void TopicTitleForm::setTitle(const QString &title)
{
    QString kept;
    for (QChar c : title) {
        if (canEncodeCp1250(QString(c)))
            kept += c;
    }
    m_titleEdit->setText(kept.left(kNameLength));
}

QString TopicTitleForm::title() const
{
    return m_titleEdit->text();
}

void TopicTitleForm::formShow()
{
    paintPaleYellow(m_titleEdit);
    updateOkButton();
    m_titleEdit->setFocus();
    m_titleEdit->selectAll();
}

void TopicTitleForm::updateOkButton()
{
    m_okButton->setEnabled(!isBlankName(m_titleEdit->text()));
}

} // namespace marbelo
