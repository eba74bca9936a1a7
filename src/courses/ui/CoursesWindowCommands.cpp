// The handlers of the "Kursy" window's own commands: each asks what it needs
// through the window's forms and questions, hands it to the course service
// and records the edit for undo; refusals are told as the service words them.
#include "courses/ui/CoursesWindow.h"

#include "courses/ParticipantCsv.h"
#include "courses/Register.h"
#include "courses/ui/EmployersWindow.h"
#include "store/components/Messages.h"

namespace marbelo {

void CoursesWindow::newCourse()
{
    Course course = m_service.newCourse(m_training);
    ParticipantChoices choices;
    if (!readChoices(&choices) || !m_questions.course(this, &course, choices.employers))
        return;
    QString error;
    const auto edit = m_service.addCourse(course, &error);
    const qint64 id = edit ? edit->made : 0;
    if (record(edit, error))
        reloadCourses(id);
}

void CoursesWindow::editCourse()
{
    if (!courseRow())
        return;
    Course changed = *courseRow();
    ParticipantChoices choices;
    if (!readChoices(&choices) || !m_questions.course(this, &changed, choices.employers))
        return;
    QString error;
    if (record(m_service.changeCourse(changed, &error), error))
        reloadCourses(changed.id);
}

void CoursesWindow::deleteCourse()
{
    const Course *course = courseRow();
    if (!course
        || !m_messages.confirm(QStringLiteral("Usunąć kurs nr %1 (%2) razem z jego uczestnikami?")
                                   .arg(course->id)
                                   .arg(shortDate(course->from)),
                               DefaultAnswer::No))
        return;
    QString error;
    if (record(m_service.deleteCourse(course->id, &error), error))
        reloadCourses(0);
}

void CoursesWindow::addParticipant()
{
    // A new participant works for the course's employer, unless told otherwise.
    Participant participant;
    participant.employer = courseRow() ? courseRow()->employer : 0;
    ParticipantChoices choices;
    if (!readChoices(&choices) || !m_questions.participant(this, &participant, choices))
        return;
    QString error;
    auto edit = m_service.addParticipants(selectedCourse(), {participant}, QStringLiteral("Dodaj uczestnika"), &error);
    const qint64 id = edit ? edit->made : 0;
    if (record(std::move(edit), error)) {
        reload();
        selectParticipant(id);
    }
}

void CoursesWindow::editParticipant()
{
    if (!currentParticipant())
        return;
    const Participant original = *currentParticipant();
    Participant changed = original;
    ParticipantChoices choices;
    if (!readChoices(&choices) || !m_questions.participant(this, &changed, choices))
        return;
    // The form changes what was typed, never whose record it is.
    changed.id = original.id;
    changed.course = original.course;
    QString error;
    if (record(m_service.changeParticipant(changed, &error), error)) {
        reload();
        selectParticipant(changed.id);
    }
}

void CoursesWindow::removeParticipant()
{
    const Participant *p = currentParticipant();
    if (!p
        || !m_messages.confirm(QStringLiteral("Usunąć uczestnika %1 %2?").arg(p->firstName, p->surname),
                               DefaultAnswer::No))
        return;
    QString error;
    if (record(m_service.removeParticipant(p->id, &error), error))
        reload();
}

void CoursesWindow::importParticipants()
{
    const QString path = m_questions.csvFile(this);
    if (path.isEmpty())
        return;
    const ParticipantCsv csv = readParticipantCsvFile(path);
    if (!csv.error.isEmpty()) {
        m_messages.inform(csv.error);
        return;
    }
    if (!csv.problems.empty()) {
        if (csv.participants.empty()) {
            m_messages.inform(QStringLiteral("Żaden wiersz pliku nie jest poprawny:\n") + rowProblemLines(csv.problems));
            return;
        }
        if (!m_messages.confirm(QStringLiteral("Błędne wiersze pliku:\n%1\n\nZaimportować %2 poprawnych wierszy, "
                                               "pomijając błędne?")
                                    .arg(rowProblemLines(csv.problems))
                                    .arg(csv.participants.size()),
                                DefaultAnswer::No))
            return;
    }
    QString error;
    std::vector<CsvRowProblem> skipped;
    if (record(m_service.importParticipants(selectedCourse(), csv, &skipped, &error), error))
        reload();
    if (!skipped.empty())
        m_messages.inform(QStringLiteral("Pominięto:\n") + rowProblemLines(skipped));
}

void CoursesWindow::togglePassed()
{
    const Participant *p = currentParticipant();
    if (!p)
        return;
    const qint64 id = p->id;
    QString error;
    if (record(m_service.setPassed(id, !p->passed, &error), error)) {
        reload();
        selectParticipant(id);
    }
}

bool CoursesWindow::askOrganiser(Organiser *organiser)
{
    if (!m_questions.organiser(this, organiser))
        return false;
    QString error;
    if (!m_service.saveOrganiser(*organiser, &error)) {
        m_messages.inform(error);
        return false;
    }
    return true;
}

void CoursesWindow::issueCertificates()
{
    Organiser organiser;
    QString error;
    if (!m_service.organiser(&organiser, &error)) {
        if (!error.isEmpty()) {
            m_messages.inform(error);
            return;
        }
        if (!askOrganiser(&organiser))
            return;
    }
    const qint64 course = selectedCourse();
    const QDate earliest = m_service.proposedIssueDate(course, &error);
    // Before the course's last day nothing is asked: the answer would be no.
    if (!error.isEmpty() || !courseRow() || QDate::currentDate() < courseRow()->to) {
        m_messages.inform(error.isEmpty() ? issueDateProblem(*courseRow(), QDate::currentDate(), {}) : error);
        return;
    }
    QDate date = earliest;
    if (!m_questions.issueDate(this, &date, earliest)
        || !m_messages.confirm(QStringLiteral("Wystawić z datą %1 r. zaświadczenia wszystkim uczestnikom kursu nr %2, "
                                              "którzy zaliczyli szkolenie i nie mają jeszcze zaświadczenia? Nadanych "
                                              "numerów nie można cofnąć.")
                                   .arg(shortDate(date))
                                   .arg(course),
                               DefaultAnswer::No))
        return;
    int issued = 0;
    if (!m_service.issue(course, date, &issued, &error)) {
        m_messages.inform(error);
        return;
    }
    // The numbers are given for good: edits made before them cannot be
    // taken back over the register.
    m_history.clear();
    reload();
    m_messages.inform(issued > 0 ? QStringLiteral("Wystawiono zaświadczeń: %1.").arg(issued)
                                 : QStringLiteral("Nikt nie czeka na zaświadczenie: zaznacz, kto zaliczył szkolenie."));
}

void CoursesWindow::cancelCertificate()
{
    const Participant *p = currentParticipant();
    if (!p || p->certificate.isEmpty())
        return;
    const Participant holder = *p;
    const QString reason = m_questions.cancelReason(this, holder.certificate);
    if (reason.trimmed().isEmpty())
        return;
    if (!m_messages.confirm(QStringLiteral("Anulować zaświadczenie nr %1 (%2 %3)? Numer zostanie w rejestrze jako "
                                           "„anulowane”.")
                                .arg(holder.certificate, holder.firstName, holder.surname),
                            DefaultAnswer::No))
        return;
    QString error;
    if (!m_service.cancelCertificateOf(holder.id, reason, &error))
        m_messages.inform(error);
    m_history.clear();
    reload();
}

void CoursesWindow::editOrganiser()
{
    Organiser organiser;
    QString error;
    if (!m_service.organiser(&organiser, &error) && !error.isEmpty()) {
        m_messages.inform(error);
        return;
    }
    askOrganiser(&organiser);
}

bool CoursesWindow::readChoices(ParticipantChoices *choices)
{
    // Without the employers a form would drop the one a record has: a failed
    // read is told and nothing asked.
    QString error;
    if (!m_service.employers(&choices->employers, &error)) {
        m_messages.inform(error);
        return false;
    }
    choices->listed = participantRows();
    choices->trainingType = m_service.training(m_training).type;
    return true;
}

void CoursesWindow::openEmployers()
{
    EmployersWindow window(m_service, m_messages, this);
    emit employersOpened(&window);
    window.exec();
    // Employers corrected there show in the participants' table.
    reload();
}

void CoursesWindow::openRenewals()
{
    std::optional<MadeCourse> made;
    {
        RenewalsWindow window(m_service, m_messages, this);
        emit renewalsOpened(&window);
        window.exec();
        made = window.takeMadeCourse();
    }
    if (!made)
        return;
    if (made->training != m_training && m_courseOpener)
        m_courseOpener(std::move(*made));
    else
        adoptCourse(std::move(*made));
    reload();
}

void CoursesWindow::adoptCourse(MadeCourse made)
{
    const qint64 course = made.course;
    const int training = made.training;
    m_history.record(std::move(made.edit), QString());
    if (training == m_training) {
        reloadCourses(course);
        return;
    }
    m_messages.inform(QStringLiteral("Kurs nr %1 założono w szkoleniu „%2”; pokazuje go okienko „Kursy” tego szkolenia.")
                          .arg(course)
                          .arg(m_service.training(training).shownName()));
}

} // namespace marbelo
