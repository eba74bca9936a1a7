#include "store/db/DatabaseSession.h"

#include "store/components/Messages.h"

#include <QFile>
#include <QFileInfo>

namespace marbelo::db {

DatabaseSession::DatabaseSession(const QString &dataDir) : m_path(Database::pathIn(dataDir)) {}

DatabaseSession::~DatabaseSession() = default;

void DatabaseSession::setFirstOpening(std::function<QStringList(Database &)> firstOpening)
{
    m_firstOpening = std::move(firstOpening);
}

void DatabaseSession::setPasswordAsker(std::function<bool(const QString &, QString *)> asker)
{
    m_askPassword = std::move(asker);
}

bool DatabaseSession::hasDatabase() const
{
    return resolveLocation(m_path).isServer() || QFile::exists(m_path);
}

void DatabaseSession::reset()
{
    m_database.reset();
    m_refusal.clear();
    m_password.clear();
}

std::unique_ptr<Database> DatabaseSession::openAt(DatabaseLocation location, QString *error)
{
    auto database = std::make_unique<Database>(location);
    bool opened = database->open(error);
    // A server that wants a password the password file does not hold: asked
    // until it is right or the user gives up.
    while (!opened && database->state() == Database::State::NoPassword && m_askPassword) {
        QString password;
        if (!m_askPassword(QStringLiteral("Hasło użytkownika %1 bazy %2:").arg(location.user, location.shown()),
                           &password))
            break;
        location.password = password;
        database = std::make_unique<Database>(location);
        opened = database->open(error);
    }
    if (!opened) {
        if (database->state() == Database::State::Damaged || database->state() == Database::State::TooNew)
            m_refusal = *error;
        return nullptr;
    }
    m_password = location.password;
    return database;
}

Database *DatabaseSession::opened(std::unique_ptr<Database> database, QStringList *notices)
{
    m_database = std::move(database);
    *notices = m_database->notices();
    if (m_firstOpening)
        *notices << m_firstOpening(*m_database);
    return m_database.get();
}

Database *DatabaseSession::open(QString *error, QStringList *notices)
{
    if (Database *open = current())
        return open;
    if (!m_refusal.isEmpty()) {
        *error = m_refusal;
        return nullptr;
    }
    DatabaseLocation location = resolveLocation(m_path);
    location.password = m_password;
    auto database = openAt(location, error);
    return database ? opened(std::move(database), notices) : nullptr;
}

Database *DatabaseSession::openTelling(Messages &messages)
{
    QString error;
    QStringList notices;
    Database *database = open(&error, &notices);
    if (!database)
        messages.inform(error);
    else if (!notices.isEmpty())
        messages.inform(notices.join(QStringLiteral("\n\n")));
    return database;
}

bool DatabaseSession::switchTo(const DatabaseLocation &location, QString *error, QStringList *notices)
{
    const QString previousRefusal = m_refusal;
    const QString previousPassword = m_password;
    m_refusal.clear();
    auto database = openAt(location, error);
    if (!database || !chooseLocation(QFileInfo(m_path).path() + QLatin1Char('/'), location, error)) {
        // The data folder keeps what it had chosen, and the open database stays.
        m_refusal = previousRefusal;
        m_password = previousPassword;
        return false;
    }
    m_refusal.clear();
    opened(std::move(database), notices);
    return true;
}

} // namespace marbelo::db
