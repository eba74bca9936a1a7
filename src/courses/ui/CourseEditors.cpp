#include "courses/ui/CourseEditors.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace marbelo {

namespace {

// A form dialog with OK and Cancel; rows are added by the caller.
class FormDialog : public QDialog
{
public:
    FormDialog(QWidget *owner, const QString &caption, const char *objectName) : QDialog(owner)
    {
        setObjectName(QLatin1String(objectName));
        setWindowTitle(caption);
        m_form = new QFormLayout(this);
    }

    QLineEdit *addText(const char *objectName, const QString &label, const QString &text)
    {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(objectName));
        edit->setAccessibleName(label);
        edit->setMinimumWidth(320);
        m_form->addRow(label, edit);
        return edit;
    }

    QDateEdit *addDate(const char *objectName, const QString &label, const QDate &date)
    {
        auto *edit = new QDateEdit(date.isValid() ? date : QDate::currentDate(), this);
        edit->setObjectName(QLatin1String(objectName));
        edit->setAccessibleName(label);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        m_form->addRow(label, edit);
        return edit;
    }

    QCheckBox *addCheck(const char *objectName, const QString &label, bool checked)
    {
        auto *box = new QCheckBox(label, this);
        box->setObjectName(QLatin1String(objectName));
        box->setChecked(checked);
        m_form->addRow(QString(), box);
        return box;
    }

    void addWidget(QWidget *widget, const char *objectName, const QString &label)
    {
        widget->setObjectName(QLatin1String(objectName));
        widget->setAccessibleName(label);
        m_form->addRow(label, widget);
    }

    bool run()
    {
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        m_form->addRow(buttons);
        return exec() == QDialog::Accepted;
    }

private:
    QFormLayout *m_form;
};

} // namespace

bool editCourseForm(QWidget *owner, Course *course)
{
    ExamSettings *exam = &course->exam;
    FormDialog dialog(owner, course->id > 0 ? QStringLiteral("Popraw kurs") : QStringLiteral("Nowy kurs"),
                      "QelCourseDialog");
    QDateEdit *from = dialog.addDate("QelCourseFrom", QStringLiteral("Od"), course->from);
    QDateEdit *to = dialog.addDate("QelCourseTo", QStringLiteral("Do"), course->to);
    QLineEdit *place = dialog.addText("QelCoursePlace", QStringLiteral("Miejsce"), course->place);
    QLineEdit *trainers = dialog.addText("QelCourseTrainers", QStringLiteral("Prowadzący"), course->trainers);
    QLineEdit *form = dialog.addText("QelCourseForm", QStringLiteral("Forma szkolenia"), course->form);
    QLineEdit *purpose = dialog.addText("QelCoursePurpose", QStringLiteral("Cel szkolenia"), course->purpose);
    auto *commission = new QPlainTextEdit(exam->commission.join(QLatin1Char('\n')), &dialog);
    commission->setTabChangesFocus(true);
    commission->setFixedHeight(commission->fontMetrics().lineSpacing() * 4 + 12);
    dialog.addWidget(commission, "QelCourseCommission",
                     QStringLiteral("Komisja egzaminacyjna (osoba w wierszu, przewodniczący pierwszy)"));
    auto *passMark = new QSpinBox(&dialog);
    passMark->setRange(1, 100);
    passMark->setSuffix(QStringLiteral("%"));
    passMark->setValue(exam->passMark);
    dialog.addWidget(passMark, "QelCoursePassMark", QStringLiteral("Próg zaliczenia egzaminu"));
    if (!dialog.run())
        return false;
    exam->commission = commission->toPlainText().split(QLatin1Char('\n'));
    exam->passMark = passMark->value();
    course->from = from->date();
    course->to = to->date();
    course->place = place->text();
    course->trainers = trainers->text();
    course->form = form->text();
    course->purpose = purpose->text();
    return true;
}

bool editParticipantForm(QWidget *owner, Participant *participant)
{
    FormDialog dialog(owner,
                      participant->id > 0 ? QStringLiteral("Popraw uczestnika") : QStringLiteral("Dodaj uczestnika"),
                      "QelParticipantDialog");
    QLineEdit *first = dialog.addText("QelParticipantFirstName", QStringLiteral("Imię"), participant->firstName);
    QLineEdit *surname = dialog.addText("QelParticipantSurname", QStringLiteral("Nazwisko"), participant->surname);
    QDateEdit *birth = dialog.addDate("QelParticipantBirthDate", QStringLiteral("Data urodzenia"),
                                      participant->birthDate.isValid() ? participant->birthDate : QDate(1980, 1, 1));
    QLineEdit *place =
        dialog.addText("QelParticipantBirthPlace", QStringLiteral("Miejsce urodzenia"), participant->birthPlace);
    QLineEdit *position = dialog.addText("QelParticipantPosition", QStringLiteral("Stanowisko"), participant->position);
    if (!dialog.run())
        return false;
    participant->firstName = first->text();
    participant->surname = surname->text();
    participant->birthDate = birth->date();
    participant->birthPlace = place->text();
    participant->position = position->text();
    return true;
}

bool issueDateForm(QWidget *owner, QDate *date, const QDate &earliest)
{
    FormDialog dialog(owner, QStringLiteral("Wystaw zaświadczenia"), "QelIssueDateDialog");
    QDateEdit *issued = dialog.addDate("QelIssueDate", QStringLiteral("Data wydania"), *date);
    issued->setDateRange(earliest, QDate::currentDate());
    if (!dialog.run())
        return false;
    *date = issued->date();
    return true;
}

bool editOrganiserForm(QWidget *owner, Organiser *organiser)
{
    FormDialog dialog(owner, QStringLiteral("Organizator szkolenia"), "QelOrganiserDialog");
    QLineEdit *name = dialog.addText("QelOrganiserName", QStringLiteral("Nazwa"), organiser->name);
    QLineEdit *address = dialog.addText("QelOrganiserAddress", QStringLiteral("Adres"), organiser->address);
    QLineEdit *place =
        dialog.addText("QelOrganiserPlace", QStringLiteral("Miejsce wydawania zaświadczeń"), organiser->place);
    QLineEdit *format =
        dialog.addText("QelOrganiserFormat", QStringLiteral("Format numeru (N – numer, RRRR – rok)"),
                       organiser->numberFormat);
    QCheckBox *restart = dialog.addCheck("QelOrganiserRestart", QStringLiteral("Numeracja od 1 w każdym roku"),
                                         organiser->restartYearly);
    if (!dialog.run())
        return false;
    organiser->name = name->text();
    organiser->address = address->text();
    organiser->place = place->text();
    organiser->numberFormat = format->text();
    organiser->restartYearly = restart->isChecked();
    return true;
}

} // namespace marbelo
