// The process the register tests run several at a time and kill: in each
// round it adds made-up passed participants to a course and issues their
// certificates (and those of any that a killed run left without one), then
// prints "round N". A round whose database went away (a server restarted) is
// tried again until it lands.
//
// register-issuer DATADIR COURSE ROUNDS PEOPLE [ABORT_PERCENT [HOLD_ROUND]]
//   ABORT_PERCENT  of the rounds first run an issuing transaction that takes
//                  a number, stores a certificate and is then rolled back
//   HOLD_ROUND     in that round, a transaction takes a number, prints
//                  "holding" and waits, for the test to kill it there

#include "courses/Organiser.h"
#include "courses/Participants.h"
#include "courses/Register.h"
#include "store/db/Database.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

using namespace marbelo;

namespace {

// A transaction that takes the next number and stores a certificate of the
// first person of the course without one, then holds or is rolled back.
bool takeNumberAndAbort(db::Database &database, qint64 course, bool hold)
{
    QString error;
    return !database.write(
        [&](QSqlQuery &q, QString *refusal) {
            Organiser organiser;
            int serial = 0;
            if (!readOrganiser(database, &organiser) || !takeSerial(q, organiser.restartYearly ? 2026 : 0, &serial)
                || !db::run(q,
                            QStringLiteral("INSERT INTO certificate (series, serial, number, participant, issued)"
                                           " SELECT ?, ?, ?, MIN(p.id), '2026-03-03' FROM participant p WHERE"
                                           " p.course = ? AND NOT EXISTS (SELECT 1 FROM certificate z"
                                           " WHERE z.participant = p.id)"),
                            {organiser.restartYearly ? 2026 : 0, serial, QStringLiteral("X%1").arg(serial), course}))
                return false;
            if (hold) {
                std::printf("holding\n");
                std::fflush(stdout);
                QThread::sleep(3600);
            }
            *refusal = QStringLiteral("aborted");
            return false;
        },
        &error);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5 || args.size() > 7)
        return 2;
    db::Database database(db::Database::pathIn(args[1]));
    QString error;
    if (!database.open(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const qint64 course = args[2].toLongLong();
    const int rounds = args[3].toInt();
    const int people = args[4].toInt();
    const int abortPercent = args.size() > 5 ? args[5].toInt() : 0;
    const int holdRound = args.size() > 6 ? args[6].toInt() : 0;
    for (int round = 1; round <= rounds; ++round) {
        std::vector<Participant> list;
        for (int i = 0; i < people; ++i) {
            Participant p;
            p.firstName = QStringLiteral("Osoba%1").arg(i);
            // Another run of this process meets these people on the list: each run names its own.
            p.surname = QStringLiteral("Runda%1-%2").arg(round).arg(QCoreApplication::applicationPid());
            p.birthDate = QDate(1980, 1, 1 + i % 28);
            p.birthPlace = QStringLiteral("Wieś");
            p.passed = true;
            list.push_back(p);
        }
        bool added = false;
        int issued = 0;
        int attempt = 0;
        for (;; ++attempt) {
            if (!added)
                added = addParticipants(database, course, list, &error).has_value();
            if (added && round == holdRound)
                takeNumberAndAbort(database, course, true);
            if (added && QRandomGenerator::global()->bounded(100) < abortPercent)
                takeNumberAndAbort(database, course, false);
            int now = 0;
            if (added && issueCertificates(database, args[1], course, QDate(2026, 3, 3), &now, &error)) {
                issued += now;
                break;
            }
            if (attempt == 300) {
                std::fprintf(stderr, "round %d: %s\n", round, qPrintable(error));
                return 1;
            }
            QThread::msleep(100);
        }
        // After a lost connection the first attempt's commit may have landed unanswered.
        if (issued < people && attempt == 0) {
            std::fprintf(stderr, "round %d: %d issued\n", round, issued);
            return 1;
        }
        std::printf("round %d\n", round);
        std::fflush(stdout);
    }
    return 0;
}
