#include "store/db/DatabaseSession.h"

#include <QFile>

namespace marbelo::db {

DatabaseSession::DatabaseSession(const QString &dataDir) : m_path(Database::pathIn(dataDir)) {}

DatabaseSession::~DatabaseSession() = default;

void DatabaseSession::setFirstOpening(std::function<QStringList(Database &)> firstOpening)
{
    m_firstOpening = std::move(firstOpening);
}

bool DatabaseSession::fileExists() const
{
    return QFile::exists(m_path);
}

Database *DatabaseSession::open(QString *error, QStringList *notices)
{
    if (Database *open = current())
        return open;
    if (!m_refusal.isEmpty()) {
        *error = m_refusal;
        return nullptr;
    }
    m_database = std::make_unique<Database>(m_path);
    if (!m_database->open(error)) {
        if (m_database->state() == Database::State::Damaged || m_database->state() == Database::State::TooNew)
            m_refusal = *error;
        m_database.reset();
        return nullptr;
    }
    *notices = m_database->notices();
    if (m_firstOpening)
        *notices << m_firstOpening(*m_database);
    return m_database.get();
}

} // namespace marbelo::db
