#include "presentation/ui/HoursDialog.h"

#include "common/ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>

namespace marbelo {

namespace {

QDoubleSpinBox *addHoursEdit(QWidget *parent, const QString &name, QLabel *label, const QRect &geometry)
{
    auto *edit = new QDoubleSpinBox(parent);
    edit->setObjectName(name);
    edit->setDecimals(2);
    edit->setSingleStep(0.25);
    edit->setRange(0, kMaxQuarters / double(kQuartersPerHour));
    edit->setSuffix(QStringLiteral(" h"));
    edit->setGeometry(geometry);
    edit->setAccessibleName(label->text());
    label->setBuddy(edit);
    return edit;
}

// The edit's value in quarter hours: shown in hours, kept as whole quarters.
int quartersOf(const QDoubleSpinBox *edit)
{
    return qRound(edit->value() * kQuartersPerHour);
}

} // namespace

HoursDialog::HoursDialog(QWidget *owner)
    : QelDialog(owner, QStringLiteral(" Liczba godzin"), 4060, QSize(392, 170))
{
    m_ownBox = new QCheckBox(QStringLiteral("Własna liczba godzin (bez niej: suma podpunktów)"), this);
    m_ownBox->setObjectName(QStringLiteral("QelHoursOwnCheckBox"));
    m_ownBox->setGeometry(8, 8, 377, 20);
    QLabel *theory = addLabel(this, QStringLiteral("QelHoursTheoryLabel"), QStringLiteral("Zajęcia teoretyczne"),
                              QPoint(8, 40));
    m_theoryEdit = addHoursEdit(this, QStringLiteral("QelHoursTheoryEdit"), theory, QRect(200, 36, 100, 22));
    QLabel *exercises =
        addLabel(this, QStringLiteral("QelHoursExercisesLabel"), QStringLiteral("Ćwiczenia"), QPoint(8, 68));
    m_exercisesEdit = addHoursEdit(this, QStringLiteral("QelHoursExercisesEdit"), exercises, QRect(200, 64, 100, 22));
    QLabel *form = addLabel(this, QStringLiteral("QelHoursFormLabel"), QStringLiteral("Forma szkolenia"),
                            QPoint(8, 100));
    m_formBox = new QComboBox(this);
    m_formBox->setObjectName(QStringLiteral("QelHoursFormComboBox"));
    for (int i = 0; i < kTrainingFormCount; ++i)
        m_formBox->addItem(trainingFormName(static_cast<TrainingForm>(i)));
    m_formBox->setGeometry(200, 96, 185, 22);
    m_formBox->setAccessibleName(form->text());
    form->setBuddy(m_formBox);

    addBevel(this, QStringLiteral("QelHoursBevel"), QPoint(8, 130), 377);
    QPushButton *ok = addButton(this, QStringLiteral("QelHoursOkButton"), QStringLiteral("OK"), QPoint(150, 138));
    QPushButton *cancel =
        addButton(this, QStringLiteral("QelHoursCancelButton"), QStringLiteral("Anuluj"), QPoint(230, 138));
    QPushButton *helpButton =
        addButton(this, QStringLiteral("QelHoursHelpButton"), QStringLiteral("Pomoc"), QPoint(310, 138));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &QelDialog::openHelp);
    connect(m_ownBox, &QCheckBox::toggled, this, &HoursDialog::updateEnabled);
    finishLayout();
}

void HoursDialog::setUp(const QString &heading, std::optional<PlannedHours> own, PlannedHours counted,
                        TrainingForm form)
{
    setWindowTitle(QStringLiteral(" Liczba godzin: %1").arg(heading));
    const PlannedHours shown = own.value_or(counted);
    m_theoryEdit->setValue(shown.theory / double(kQuartersPerHour));
    m_exercisesEdit->setValue(shown.exercises / double(kQuartersPerHour));
    // A heading without hours of its own or of its sub-headings gets its own.
    m_ownBox->setChecked(own.has_value() || counted.total() == 0);
    m_formBox->setCurrentIndex(static_cast<int>(form));
    updateEnabled();
}

std::optional<PlannedHours> HoursDialog::hours() const
{
    if (!m_ownBox->isChecked())
        return std::nullopt;
    return PlannedHours{quartersOf(m_theoryEdit), quartersOf(m_exercisesEdit)};
}

TrainingForm HoursDialog::form() const
{
    return static_cast<TrainingForm>(std::clamp(m_formBox->currentIndex(), 0, kTrainingFormCount - 1));
}

void HoursDialog::updateEnabled()
{
    m_theoryEdit->setEnabled(m_ownBox->isChecked());
    m_exercisesEdit->setEnabled(m_ownBox->isChecked());
}

} // namespace marbelo
