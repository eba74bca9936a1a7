#include "store/db/Migrations.h"

#include "store/db/Database.h"

#include <QSqlQuery>
#include <QVariant>

namespace marbelo::db {

const std::vector<QStringList> &migrationSteps()
{
    static const std::vector<QStringList> steps = {
        // 1: organiser, courses, participants, the certificate register.
        {
            QStringLiteral("CREATE TABLE organiser (id INTEGER PRIMARY KEY CHECK (id = 1),"
                           " name TEXT NOT NULL, address TEXT NOT NULL, place TEXT NOT NULL,"
                           " number_format TEXT NOT NULL, restart_yearly INTEGER NOT NULL)"),
            QStringLiteral("CREATE TABLE course (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                           " training INTEGER NOT NULL, date_from TEXT NOT NULL, date_to TEXT NOT NULL,"
                           " place TEXT NOT NULL, trainers TEXT NOT NULL, form TEXT NOT NULL,"
                           " purpose TEXT NOT NULL)"),
            QStringLiteral("CREATE TABLE participant (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                           " course INTEGER NOT NULL REFERENCES course(id) ON DELETE CASCADE,"
                           " first_name TEXT NOT NULL, surname TEXT NOT NULL, birth_date TEXT NOT NULL,"
                           " birth_place TEXT NOT NULL, position TEXT NOT NULL, passed INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX participant_course ON participant(course)"),
            // series is 0 for numbering continuous across years, else the year.
            QStringLiteral("CREATE TABLE certificate (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                           " series INTEGER NOT NULL, serial INTEGER NOT NULL CHECK (serial > 0),"
                           " number TEXT NOT NULL UNIQUE,"
                           " participant INTEGER NOT NULL REFERENCES participant(id) ON DELETE RESTRICT,"
                           " issued TEXT NOT NULL, cancelled INTEGER NOT NULL DEFAULT 0,"
                           " cancel_reason TEXT NOT NULL DEFAULT '', UNIQUE (series, serial))"),
            QStringLiteral("CREATE UNIQUE INDEX certificate_live ON certificate(participant) WHERE cancelled = 0"),
        },
        // 2: the question bank and the exams of courses. answers hold a JSON
        // array of texts; an exam's items copy the questions as drawn, so its
        // sheets print the same after the bank changes.
        {
            QStringLiteral("CREATE TABLE question (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                           " topic TEXT NOT NULL, detail TEXT NOT NULL, title TEXT NOT NULL,"
                           " text TEXT NOT NULL, answers TEXT NOT NULL, right_answer INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX question_topic ON question(topic)"),
            QStringLiteral("CREATE TABLE bank_state (id INTEGER PRIMARY KEY CHECK (id = 1),"
                           " demo_imported INTEGER NOT NULL)"),
            QStringLiteral("CREATE TABLE exam (course INTEGER PRIMARY KEY REFERENCES course(id) ON DELETE CASCADE,"
                           " pass_mark INTEGER NOT NULL DEFAULT 60, commission TEXT NOT NULL DEFAULT '',"
                           " exam_date TEXT NOT NULL DEFAULT '', draw_number TEXT NOT NULL DEFAULT '',"
                           " variants INTEGER NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE TABLE exam_item (course INTEGER NOT NULL REFERENCES exam(course) ON DELETE CASCADE,"
                           " variant INTEGER NOT NULL, position INTEGER NOT NULL,"
                           " question INTEGER REFERENCES question(id) ON DELETE SET NULL,"
                           " topic TEXT NOT NULL, text TEXT NOT NULL, answers TEXT NOT NULL,"
                           " right_answer INTEGER NOT NULL, PRIMARY KEY (course, variant, position))"),
            QStringLiteral("CREATE TABLE exam_result (participant INTEGER PRIMARY KEY"
                           " REFERENCES participant(id) ON DELETE CASCADE, variant INTEGER,"
                           " letters TEXT NOT NULL, points INTEGER NOT NULL, passed INTEGER NOT NULL)"),
        },
        // 3: what each certificate printed, stored with its number when it is
        // issued (the programme as a JSON array of rows), so that later edits
        // never change it; the organiser's logo for the documents' letterhead.
        {
            QStringLiteral("CREATE TABLE certificate_text (certificate INTEGER PRIMARY KEY"
                           " REFERENCES certificate(id) ON DELETE RESTRICT,"
                           " first_name TEXT NOT NULL, surname TEXT NOT NULL, birth_date TEXT NOT NULL,"
                           " birth_place TEXT NOT NULL, training_name TEXT NOT NULL, training_type INTEGER NOT NULL,"
                           " form TEXT NOT NULL, purpose TEXT NOT NULL, date_from TEXT NOT NULL, date_to TEXT NOT NULL,"
                           " organiser_name TEXT NOT NULL, organiser_address TEXT NOT NULL, place TEXT NOT NULL,"
                           " programme TEXT NOT NULL)"),
            QStringLiteral("ALTER TABLE organiser ADD COLUMN logo BLOB"),
        },
        // 4: the employers who order courses and whose staff take them; each
        // participant's employer (by default the course's) and the interval of
        // the next periodic training where the post allows another than the
        // type's (NULL: the type's); the organiser's contact for letters.
        {
            QStringLiteral("CREATE TABLE employer (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                           " name TEXT NOT NULL, address TEXT NOT NULL DEFAULT '', nip TEXT NOT NULL DEFAULT '',"
                           " contact TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',"
                           " phone TEXT NOT NULL DEFAULT '')"),
            QStringLiteral("CREATE UNIQUE INDEX employer_nip ON employer(nip) WHERE nip <> ''"),
            QStringLiteral("ALTER TABLE course ADD COLUMN employer INTEGER REFERENCES employer(id) ON DELETE RESTRICT"),
            QStringLiteral("ALTER TABLE participant ADD COLUMN employer INTEGER"
                           " REFERENCES employer(id) ON DELETE RESTRICT"),
            QStringLiteral("ALTER TABLE participant ADD COLUMN interval_years INTEGER"),
            QStringLiteral("CREATE INDEX participant_employer ON participant(employer)"),
            QStringLiteral("CREATE INDEX course_employer ON course(employer)"),
            QStringLiteral("ALTER TABLE organiser ADD COLUMN phone TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("ALTER TABLE organiser ADD COLUMN email TEXT NOT NULL DEFAULT ''"),
        },
        // 5: the register's last number of each series, a row updated inside
        // the issuing transaction: the next number is taken under the row's
        // lock, and a transaction that aborts gives its number back with it.
        {
            QStringLiteral("CREATE TABLE register_counter (series INTEGER PRIMARY KEY,"
                           " last_serial INTEGER NOT NULL CHECK (last_serial >= 0))"),
            QStringLiteral("INSERT INTO register_counter (series, last_serial)"
                           " SELECT series, MAX(serial) FROM certificate GROUP BY series"),
        },
    };
    return steps;
}

int currentSchemaVersion()
{
    return static_cast<int>(migrationSteps().size());
}

const std::vector<Cascade> &cascades()
{
    static const std::vector<Cascade> references = {
        {QStringLiteral("participant"), QStringLiteral("course"), QStringLiteral("course"), QStringLiteral("id")},
        {QStringLiteral("exam"), QStringLiteral("course"), QStringLiteral("course"), QStringLiteral("id")},
        {QStringLiteral("exam_item"), QStringLiteral("course"), QStringLiteral("exam"), QStringLiteral("course")},
        {QStringLiteral("exam_result"), QStringLiteral("participant"), QStringLiteral("participant"),
         QStringLiteral("id")},
    };
    return references;
}

const std::vector<Cascade> &nullingReferences()
{
    static const std::vector<Cascade> references = {
        {QStringLiteral("exam_item"), QStringLiteral("question"), QStringLiteral("question"), QStringLiteral("id")},
    };
    return references;
}

const std::vector<CopiedTable> &copiedTables()
{
    static const std::vector<CopiedTable> tables = {
        {QStringLiteral("organiser")},
        {QStringLiteral("employer"), true},
        {QStringLiteral("course"), true},
        {QStringLiteral("participant"), true},
        {QStringLiteral("certificate"), true},
        {QStringLiteral("certificate_text")},
        {QStringLiteral("register_counter")},
        {QStringLiteral("question"), true},
        {QStringLiteral("bank_state")},
        {QStringLiteral("exam")},
        {QStringLiteral("exam_item")},
        {QStringLiteral("exam_result")},
    };
    return tables;
}

bool recordContradictions(QSqlQuery &q, QStringList *notices)
{
    if (!run(q, QStringLiteral("SELECT p.id, p.first_name, p.surname, p.course, p.passed, r.passed, r.points"
                               " FROM participant p JOIN exam_result r ON r.participant = p.id"
                               " WHERE p.passed <> r.passed ORDER BY p.id")))
        return false;
    while (q.next())
        *notices << QStringLiteral("Kurs nr %1: uczestnik %2 %3 jest oznaczony jako %4, a zapisany wynik egzaminu"
                                   " (%5 pkt) jest %6. Obowiązuje wynik egzaminu.")
                        .arg(q.value(3).toLongLong())
                        .arg(q.value(1).toString(), q.value(2).toString(),
                             q.value(4).toBool() ? QStringLiteral("„zaliczył”") : QStringLiteral("„nie zaliczył”"))
                        .arg(q.value(6).toInt())
                        .arg(q.value(5).toBool() ? QStringLiteral("pozytywny") : QStringLiteral("negatywny"));
    if (!run(q, QStringLiteral("SELECT z.number, p.first_name, p.surname, p.course FROM certificate z"
                               " JOIN participant p ON p.id = z.participant JOIN exam_result r"
                               " ON r.participant = p.id WHERE z.cancelled = 0 AND r.passed = 0 ORDER BY z.id")))
        return false;
    while (q.next())
        *notices << QStringLiteral("Kurs nr %1: zaświadczenie nr %2 wystawiono uczestnikowi %3 %4, którego wynik"
                                   " egzaminu jest negatywny. Sprawdź wynik albo anuluj zaświadczenie.")
                        .arg(q.value(3).toLongLong())
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return true;
}

} // namespace marbelo::db
