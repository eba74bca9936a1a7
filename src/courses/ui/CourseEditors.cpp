#include "courses/ui/CourseEditors.h"

#include "common/ui/DialogParts.h"
#include "courses/Courses.h"
#include "courses/Employers.h"
#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Results.h"
#include "store/db/DatabaseLocation.h"
#include "trainings/RenewalIntervals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <functional>
#include <utility>

namespace marbelo {

namespace {

// A form dialog with a confirming and a closing button; rows are added by the
// caller. A check run on confirming may refuse what was typed: the form then
// stays open with everything typed, says why above its buttons and marks the
// field to correct.
class FormDialog : public QDialog
{
public:
    // The field to mark (may be null) and why the form cannot be confirmed;
    // an empty text lets it close.
    using Check = std::function<std::pair<QWidget *, QString>()>;

    FormDialog(QWidget *owner, const QString &caption, const char *objectName) : QDialog(owner)
    {
        setObjectName(QLatin1String(objectName));
        setWindowTitle(caption);
        m_form = new QFormLayout(this);
    }

    QLineEdit *addText(const char *objectName, const QString &label, const QString &text)
    {
        auto *edit = new QLineEdit(text, this);
        edit->setMinimumWidth(320);
        addWidget(edit, objectName, label);
        return edit;
    }

    QDateEdit *addDate(const char *objectName, const QString &label, const QDate &date)
    {
        auto *edit = new QDateEdit(date.isValid() ? date : QDate::currentDate(), this);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        addWidget(edit, objectName, label);
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

    // A drop-down of texts, each standing for a number; the one of current is chosen.
    QComboBox *addChoice(const char *objectName, const QString &label,
                         const std::vector<std::pair<QString, qint64>> &items, qint64 current)
    {
        auto *box = new QComboBox(this);
        for (const auto &[text, value] : items)
            box->addItem(text, value);
        box->setCurrentIndex(std::max(0, box->findData(current)));
        addWidget(box, objectName, label);
        return box;
    }

    void addWidget(QWidget *widget, const char *objectName, const QString &label)
    {
        widget->setObjectName(QLatin1String(objectName));
        widget->setAccessibleName(label);
        m_form->addRow(label, widget);
    }

    bool run(const Check &check, const QString &confirm = {}, const QString &close = {})
    {
        m_check = check;
        m_problem = new QLabel(this);
        m_problem->setObjectName(QStringLiteral("QelFormProblem"));
        m_problem->setStyleSheet(QStringLiteral("color: #b00000;"));
        m_problem->setWordWrap(true);
        m_problem->hide();
        m_form->addRow(m_problem);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        if (!confirm.isEmpty())
            buttons->button(QDialogButtonBox::Ok)->setText(confirm);
        if (!close.isEmpty())
            buttons->button(QDialogButtonBox::Cancel)->setText(close);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        m_form->addRow(buttons);
        return exec() == QDialog::Accepted;
    }

    void accept() override
    {
        if (m_marked) {
            m_marked->setStyleSheet(QString());
            m_marked = nullptr;
        }
        const auto [field, problem] = m_check ? m_check() : std::pair<QWidget *, QString>{};
        if (problem.isEmpty()) {
            QDialog::accept();
            return;
        }
        m_problem->setText(problem);
        m_problem->show();
        if (field) {
            m_marked = field;
            field->setStyleSheet(QStringLiteral("border: 2px solid #b00000;"));
            field->setFocus();
        }
    }

private:
    QFormLayout *m_form;
    QLabel *m_problem = nullptr;
    QWidget *m_marked = nullptr;
    Check m_check;
};

// "(brak)" and every employer, for the choice of one.
std::vector<std::pair<QString, qint64>> employerItems(const std::vector<Employer> &employers)
{
    std::vector<std::pair<QString, qint64>> items{{QStringLiteral("(brak)"), 0}};
    for (const Employer &e : employers)
        items.emplace_back(e.name, e.id);
    return items;
}

// The intervals of periodic training the type allows, its default (stored
// as 0) first.
std::vector<std::pair<QString, qint64>> intervalItems(int type, int current)
{
    std::vector<std::pair<QString, qint64>> items;
    for (const RenewalInterval &interval : renewalIntervals(type)) {
        if (interval.post.isEmpty())
            items.emplace_back(QStringLiteral("domyślnie (%1)").arg(yearsText(interval.years)), 0);
        else
            items.emplace_back(QStringLiteral("%1 (%2)").arg(yearsText(interval.years), interval.post), interval.years);
    }
    if (items.empty())
        items.emplace_back(QStringLiteral("domyślnie"), 0);
    // One the type does not allow stays as stored, for the rule to refuse,
    // rather than being changed unseen.
    if (current != 0 && !renewalYearsAllowed(type, current))
        items.emplace_back(yearsText(current), current);
    return items;
}

} // namespace

CourseQuestions courseForms()
{
    return {editCourseForm,
            editParticipantForm,
            editOrganiserForm,
            [](QWidget *parent) {
                return QFileDialog::getOpenFileName(parent, QStringLiteral("Importuj uczestników"), QString(),
                                                    QStringLiteral("Pliki CSV (*.csv);;Wszystkie pliki (*)"));
            },
            cancelReasonForm,
            askSaveFile,
            issueDateForm};
}

QString askSaveFile(QWidget *owner, const QString &filter, const QString &proposed)
{
    return QFileDialog::getSaveFileName(owner, QStringLiteral("Zapisz"),
                                        QDir(fileDialogStartDirectory()).filePath(proposed), filter);
}

bool editCourseForm(QWidget *owner, Course *course, const std::vector<Employer> &employers)
{
    FormDialog dialog(owner, course->id > 0 ? QStringLiteral("Popraw kurs") : QStringLiteral("Nowy kurs"),
                      "QelCourseDialog");
    QDateEdit *from = dialog.addDate("QelCourseFrom", QStringLiteral("Od"), course->from);
    QDateEdit *to = dialog.addDate("QelCourseTo", QStringLiteral("Do"), course->to);
    QLineEdit *place = dialog.addText("QelCoursePlace", QStringLiteral("Miejsce"), course->place);
    QLineEdit *trainers = dialog.addText("QelCourseTrainers", QStringLiteral("Prowadzący"), course->trainers);
    QLineEdit *form = dialog.addText("QelCourseForm", QStringLiteral("Forma szkolenia"), course->form);
    QLineEdit *purpose = dialog.addText("QelCoursePurpose", QStringLiteral("Cel szkolenia"), course->purpose);
    QComboBox *employer =
        dialog.addChoice("QelCourseEmployer", QStringLiteral("Pracodawca"), employerItems(employers), course->employer);
    auto *commission = new QPlainTextEdit(course->exam.commission.join(QLatin1Char('\n')), &dialog);
    commission->setTabChangesFocus(true);
    commission->setFixedHeight(commission->fontMetrics().lineSpacing() * 4 + 12);
    dialog.addWidget(commission, "QelCourseCommission",
                     QStringLiteral("Komisja egzaminacyjna (osoba w wierszu, przewodniczący pierwszy)"));
    auto *passMark = new QSpinBox(&dialog);
    passMark->setRange(1, 100);
    passMark->setSuffix(QStringLiteral("%"));
    passMark->setValue(course->exam.passMark);
    dialog.addWidget(passMark, "QelCoursePassMark", QStringLiteral("Próg zaliczenia egzaminu"));
    Course typed = *course;
    const auto read = [&] {
        typed.exam.commission = commission->toPlainText().split(QLatin1Char('\n'));
        typed.exam.passMark = passMark->value();
        typed.from = from->date();
        typed.to = to->date();
        typed.place = place->text();
        typed.trainers = trainers->text();
        typed.form = form->text();
        typed.purpose = purpose->text();
        typed.employer = employer->currentData().toLongLong();
    };
    const auto check = [&]() -> std::pair<QWidget *, QString> {
        read();
        CourseField field = CourseField::None;
        if (QString problem = courseProblem(typed, &field); !problem.isEmpty()) {
            QWidget *const widgets[] = {nullptr, from, to, place};
            return {widgets[int(field)], problem};
        }
        return {passMark, examSettingsProblem(typed.exam)};
    };
    if (!dialog.run(check))
        return false;
    *course = typed;
    return true;
}

bool editParticipantForm(QWidget *owner, Participant *participant, const ParticipantChoices &choices)
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
    QComboBox *employer = dialog.addChoice("QelParticipantEmployer", QStringLiteral("Pracodawca"),
                                           employerItems(choices.employers), participant->employer);
    QComboBox *interval =
        dialog.addChoice("QelParticipantInterval", QStringLiteral("Co ile lat"),
                         intervalItems(choices.trainingType, participant->intervalYears), participant->intervalYears);
    Participant typed = *participant;
    const auto check = [&]() -> std::pair<QWidget *, QString> {
        typed.firstName = first->text();
        typed.surname = surname->text();
        typed.birthDate = birth->date();
        typed.birthPlace = place->text();
        typed.position = position->text();
        typed.employer = employer->currentData().toLongLong();
        typed.intervalYears = interval->currentData().toInt();
        ParticipantField field = ParticipantField::None;
        if (QString problem = participantProblem(typed, &field); !problem.isEmpty()) {
            QWidget *const widgets[] = {nullptr, first, surname, birth, place};
            return {widgets[int(field)], problem};
        }
        return {surname, duplicateProblem(choices.listed, typed)};
    };
    if (!dialog.run(check))
        return false;
    *participant = typed;
    return true;
}

bool issueDateForm(QWidget *owner, QDate *date, const QDate &earliest)
{
    FormDialog dialog(owner, QStringLiteral("Wystaw zaświadczenia"), "QelIssueDateDialog");
    QDateEdit *issued = dialog.addDate("QelIssueDate", QStringLiteral("Data wydania"), *date);
    issued->setDateRange(earliest, QDate::currentDate());
    if (!dialog.run({}))
        return false;
    *date = issued->date();
    return true;
}

QString cancelReasonForm(QWidget *owner, const QString &certificate)
{
    FormDialog dialog(owner, QStringLiteral("Anuluj zaświadczenie"), "QelCancelCertificateDialog");
    QLineEdit *reason = dialog.addText("QelCancelReason", QStringLiteral("Powód anulowania zaświadczenia nr %1")
                                                               .arg(certificate),
                                       QString());
    const auto check = [&]() -> std::pair<QWidget *, QString> {
        if (reason->text().trimmed().isEmpty())
            return {reason, QStringLiteral("Podaj powód anulowania zaświadczenia.")};
        return {};
    };
    if (!dialog.run(check, QStringLiteral("Anuluj zaświadczenie"), QStringLiteral("Zamknij")))
        return QString();
    return reason->text().trimmed();
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
    // The contact printed on the letters to employers.
    QLineEdit *phone = dialog.addText("QelOrganiserPhone", QStringLiteral("Telefon"), organiser->phone);
    QLineEdit *email = dialog.addText("QelOrganiserEmail", QStringLiteral("E-mail"), organiser->email);

    // The letterhead's logo: a picture chosen from a file, or none.
    Organiser typed = *organiser;
    auto *logoRow = new QWidget(&dialog);
    auto *logoLayout = new QHBoxLayout(logoRow);
    logoLayout->setContentsMargins(0, 0, 0, 0);
    auto *logoShown = new QLabel(logoRow);
    auto *choose = new QPushButton(QStringLiteral("Wybierz..."), logoRow);
    choose->setObjectName(QStringLiteral("QelOrganiserLogoChoose"));
    auto *remove = new QPushButton(QStringLiteral("Usuń"), logoRow);
    remove->setObjectName(QStringLiteral("QelOrganiserLogoRemove"));
    logoLayout->addWidget(logoShown, 1);
    logoLayout->addWidget(choose);
    logoLayout->addWidget(remove);
    const auto showLogo = [&] {
        const QImage image = QImage::fromData(typed.logo);
        logoShown->setText(typed.logo.isEmpty() ? QStringLiteral("brak")
                           : image.isNull()     ? QStringLiteral("nieczytelny obraz")
                                                : QStringLiteral("obraz %1 × %2").arg(image.width()).arg(image.height()));
        remove->setEnabled(!typed.logo.isEmpty());
    };
    showLogo();
    QObject::connect(choose, &QPushButton::clicked, &dialog, [&] {
        const QString path = QFileDialog::getOpenFileName(&dialog, QStringLiteral("Logo organizatora"), QString(),
                                                          QStringLiteral("Obrazy (*.png *.jpg *.jpeg)"));
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
            return;
        // One byte over the limit is enough for the rule to refuse it.
        typed.logo = file.read(kMaxLogoBytes + 1);
        showLogo();
    });
    QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
        typed.logo.clear();
        showLogo();
    });
    dialog.addWidget(logoRow, "QelOrganiserLogo", QStringLiteral("Logo (w nagłówku dokumentów)"));

    const auto check = [&]() -> std::pair<QWidget *, QString> {
        typed.name = name->text();
        typed.address = address->text();
        typed.place = place->text();
        typed.numberFormat = format->text();
        typed.restartYearly = restart->isChecked();
        typed.phone = phone->text().trimmed();
        typed.email = email->text().trimmed();
        OrganiserField field = OrganiserField::None;
        const QString problem = organiserProblem(typed, &field);
        QWidget *const widgets[] = {nullptr, name, place, format, logoRow};
        return {widgets[int(field)], problem};
    };
    if (!dialog.run(check))
        return false;
    *organiser = typed;
    return true;
}

bool editDatabaseForm(QWidget *owner, db::DatabaseLocation *location)
{
    FormDialog dialog(owner, QStringLiteral("Baza danych"), "QelDatabaseDialog");
    QComboBox *kind = dialog.addChoice("QelDatabaseKind", QStringLiteral("Baza danych"),
                                       {{QStringLiteral("plik w folderze danych"), 0},
                                        {QStringLiteral("serwer PostgreSQL"), 1}},
                                       location->isServer() ? 1 : 0);
    QLineEdit *host = dialog.addText("QelDatabaseHost", QStringLiteral("Serwer"), location->host);
    auto *port = new QSpinBox(&dialog);
    port->setRange(1, 65535);
    port->setValue(location->port);
    dialog.addWidget(port, "QelDatabasePort", QStringLiteral("Port"));
    QLineEdit *name = dialog.addText("QelDatabaseName", QStringLiteral("Baza"), location->database);
    QLineEdit *user = dialog.addText("QelDatabaseUser", QStringLiteral("Użytkownik"), location->user);
    const auto showKind = [&] {
        for (QWidget *field : std::initializer_list<QWidget *>{host, port, name, user})
            field->setEnabled(kind->currentData().toInt() == 1);
    };
    showKind();
    QObject::connect(kind, &QComboBox::currentIndexChanged, &dialog, showKind);
    db::DatabaseLocation typed = *location;
    const auto check = [&]() -> std::pair<QWidget *, QString> {
        if (kind->currentData().toInt() == 0) {
            typed = db::DatabaseLocation::file(location->path);
            return {};
        }
        QString problem;
        if (db::DatabaseLocation::server(host->text(), port->value(), name->text(), user->text(), &typed, &problem))
            return {};
        QLineEdit *empty = host->text().trimmed().isEmpty() ? host : name->text().trimmed().isEmpty() ? name : user;
        return {empty, problem};
    };
    if (!dialog.run(check))
        return false;
    *location = typed;
    return true;
}

bool editEmployerForm(QWidget *owner, Employer *employer)
{
    FormDialog dialog(owner, employer->id > 0 ? QStringLiteral("Popraw pracodawcę") : QStringLiteral("Nowy pracodawca"),
                      "QelEmployerDialog");
    QLineEdit *name = dialog.addText("QelEmployerName", QStringLiteral("Nazwa"), employer->name);
    QLineEdit *address = dialog.addText("QelEmployerAddress", QStringLiteral("Adres"), employer->address);
    QLineEdit *nip = dialog.addText("QelEmployerNip", QStringLiteral("NIP"), employer->nip);
    QLineEdit *contact = dialog.addText("QelEmployerContact", QStringLiteral("Osoba do kontaktu"), employer->contact);
    QLineEdit *email = dialog.addText("QelEmployerEmail", QStringLiteral("E-mail"), employer->email);
    QLineEdit *phone = dialog.addText("QelEmployerPhone", QStringLiteral("Telefon"), employer->phone);
    Employer typed = *employer;
    const auto check = [&]() -> std::pair<QWidget *, QString> {
        typed.name = name->text().trimmed();
        typed.address = address->text().trimmed();
        typed.nip = nip->text().trimmed();
        typed.contact = contact->text().trimmed();
        typed.email = email->text().trimmed();
        typed.phone = phone->text().trimmed();
        EmployerField field = EmployerField::None;
        const QString problem = employerProblem(typed, &field);
        QWidget *const widgets[] = {nullptr, name, nip, email};
        return {widgets[int(field)], problem};
    };
    if (!dialog.run(check))
        return false;
    *employer = typed;
    return true;
}

} // namespace marbelo
