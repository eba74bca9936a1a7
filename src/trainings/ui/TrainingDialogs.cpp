#include "trainings/ui/TrainingDialogs.h"

#include "common/ui/DialogParts.h"
#include "common/ui/HelpContext.h"
#include "store/Records.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace marbelo {

namespace {

constexpr int kTypeCount = 6;
// The opened type list is wider than the box so that the long type names show whole.
constexpr int kTypeListWidth = 550;

} // namespace

TrainingDialogBase::TrainingDialogBase(QWidget *owner, const QString &prefix, const QString &caption,
                                 int helpContext, const QString &okText, bool okNeedsType)
    : QelDialog(owner, caption, helpContext, QSize(392, 97)), m_okNeedsType(okNeedsType)
{
    const auto name = [&prefix](const char *part) { return prefix + QLatin1String(part); };

    QLabel *nameLabel = addLabel(this, name("NameLabel"), QStringLiteral("Nazwa"), QPoint(8, 12));
    m_nameEdit = addNameEdit(this, name("NameEdit"), nameLabel, QRect(64, 8, 321, 22));

    QLabel *typeLabel = addLabel(this, name("TypeLabel"), QStringLiteral("Rodzaj"), QPoint(8, 38));
    m_typeEdit = new QComboBox(this);
    m_typeEdit->setObjectName(name("TypeEdit"));
    m_typeEdit->setGeometry(64, 34, 321, 22);
    m_typeEdit->setEditable(false);
    for (int type = 0; type < kTypeCount; ++type)
        m_typeEdit->addItem(trainingTypeName(type), type);
    m_typeEdit->setCurrentIndex(-1);
    m_typeEdit->view()->setMinimumWidth(kTypeListWidth);
    typeLabel->setBuddy(m_typeEdit);
    m_typeEdit->setAccessibleName(typeLabel->text());

    addBevel(this, name("Bevel"), QPoint(8, 60), 377);
    m_okButton = addButton(this, name("OkButton"), okText, QPoint(150, 64));
    QPushButton *cancel = addButton(this, name("CancelButton"), QStringLiteral("Anuluj"), QPoint(230, 64));
    QPushButton *helpButton = addButton(this, name("HelpButton"), QStringLiteral("Pomoc"), QPoint(310, 64));
    m_okButton->setDefault(true);

    setTabOrder(m_nameEdit, m_typeEdit);
    setTabOrder(m_typeEdit, m_okButton);
    setTabOrder(m_okButton, cancel);
    setTabOrder(cancel, helpButton);

    connect(m_nameEdit, &QLineEdit::textChanged, this, &TrainingDialogBase::updateOkButton);
    // The type box deliberately has no change handler: choosing a type alone
    // does not re-evaluate the OK button.
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &QelDialog::openHelp);

    updateOkButton();
    finishLayout();
}

void TrainingDialogBase::setName(const QString &name)
{
    m_nameEdit->setText(name);
}

QString TrainingDialogBase::name() const
{
    return m_nameEdit->text();
}

void TrainingDialogBase::selectType(int type)
{
    m_typeEdit->setCurrentIndex(m_typeEdit->findData(type));
}

int TrainingDialogBase::chosenType() const
{
    return m_typeEdit->currentIndex() < 0 ? -1 : m_typeEdit->currentData().toInt();
}

void TrainingDialogBase::formShow()
{
    paintPaleYellow(m_nameEdit);
    paintPaleYellow(m_typeEdit);
    updateOkButton();
    m_nameEdit->setFocus();
}

void TrainingDialogBase::updateOkButton()
{
    bool enabled = !isBlankName(m_nameEdit->text());
    if (m_okNeedsType)
        enabled = enabled && chosenType() >= 0;
    m_okButton->setEnabled(enabled);
}

NewTrainingDialog::NewTrainingDialog(QWidget *owner)
    : TrainingDialogBase(owner, QStringLiteral("QelNewProject"), QStringLiteral("Nowe szkolenie"), 4010,
                      QStringLiteral("Utwórz"), true)
{
    selectType(0);
}

NewTrainingFromDialog::NewTrainingFromDialog(QWidget *owner)
    : TrainingDialogBase(owner, QStringLiteral("QelNewProjectFrom"), QStringLiteral("Nowe szkolenie od ..."),
                      4030, QStringLiteral("Utwórz"), true)
{
}

RenameTrainingDialog::RenameTrainingDialog(QWidget *owner)
    : TrainingDialogBase(owner, QStringLiteral("QelCorectProject"), QStringLiteral("Popraw szkolenie"), 4020,
                      QStringLiteral("Popraw"), false)
{
}

} // namespace marbelo
