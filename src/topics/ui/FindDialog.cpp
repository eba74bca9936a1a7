#include "topics/ui/FindDialog.h"

#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace marbelo {

FindDialog::FindDialog(QWidget *owner)
    : QelDialog(owner, QStringLiteral(" Szukaj w tematach"), 4080, QSize(392, 73))
{
    QLabel *label = addLabel(this, QStringLiteral("QelFindLabel"), QStringLiteral("Szukany zwrot"), QPoint(8, 12));
    // The phrase is only compared, never stored, so it has no length limit.
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("QelFindEdit"));
    m_edit->setGeometry(96, 8, 289, 22);
    m_edit->setMaxLength(std::numeric_limits<int>::max());
    label->setBuddy(m_edit);
    m_edit->setAccessibleName(label->text());

    addBevel(this, QStringLiteral("QelFindBevel"), QPoint(8, 35), 377);
    m_okButton = addButton(this, QStringLiteral("QelFindOkButton"), QStringLiteral("Szukaj"), QPoint(150, 40));
    QPushButton *cancel =
        addButton(this, QStringLiteral("QelFindCancelButton"), QStringLiteral("Anuluj"), QPoint(230, 40));
    QPushButton *helpButton =
        addButton(this, QStringLiteral("QelFindHelpButton"), QStringLiteral("Pomoc"), QPoint(310, 40));
    m_okButton->setDefault(true);

    setTabOrder(m_edit, m_okButton);
    setTabOrder(m_okButton, cancel);
    setTabOrder(cancel, helpButton);

    connect(m_edit, &QLineEdit::textChanged, this, &FindDialog::updateOkButton);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &QelDialog::openHelp);

    updateOkButton();
    finishLayout();
}

void FindDialog::setPhrase(const QString &phrase)
{
    m_edit->setText(phrase);
}

QString FindDialog::phrase() const
{
    return m_edit->text();
}

void FindDialog::formShow()
{
    paintPaleYellow(m_edit);
    updateOkButton();
    m_edit->setFocus();
}

void FindDialog::updateOkButton()
{
    m_okButton->setEnabled(!isBlankName(m_edit->text()));
}

} // namespace marbelo
