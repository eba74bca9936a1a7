// The process the register tests run two at a time and kill: in each round
// it adds made-up passed participants to a course and issues their
// certificates (and those of any that a killed run left without one), then
// prints "round N".
//
// register-issuer DATADIR COURSE ROUNDS PEOPLE

#include "courses/Participants.h"
#include "courses/Register.h"
#include "store/db/Database.h"

#include <QCoreApplication>

#include <cstdio>

using namespace marbelo;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
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
        int issued = 0;
        if (!addParticipants(database, course, list, &error)
            || !issueCertificates(database, args[1], course, QDate(2026, 3, 3), &issued, &error) || issued < people) {
            std::fprintf(stderr, "round %d: %s\n", round, qPrintable(error));
            return 1;
        }
        std::printf("round %d\n", round);
        std::fflush(stdout);
    }
    return 0;
}
