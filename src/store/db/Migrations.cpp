#include "store/db/Migrations.h"

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
    };
    return steps;
}

int currentSchemaVersion()
{
    return static_cast<int>(migrationSteps().size());
}

} // namespace marbelo::db
