#include "courses/ui/CourseTables.h"

namespace marbelo {

namespace {

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

const QStringList &courseHeaders()
{
    static const QStringList headers{QStringLiteral("Nr"),         QStringLiteral("Od"),
                                     QStringLiteral("Do"),         QStringLiteral("Miejsce"),
                                     QStringLiteral("Uczestnicy"), QStringLiteral("Zaświadczenia")};
    return headers;
}

const QStringList &participantHeaders()
{
    static const QStringList headers{
        QStringLiteral("Nazwisko"),   QStringLiteral("Imię"),    QStringLiteral("Data urodzenia"),
        QStringLiteral("Miejsce urodzenia"), QStringLiteral("Stanowisko"), QStringLiteral("Egzamin"),
        QStringLiteral("Zaliczył"),   QStringLiteral("Zaświadczenie")};
    return headers;
}

template <typename Row>
int rowWithId(const std::vector<Row> &rows, qint64 id)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].id == id)
            return int(i);
    return -1;
}

} // namespace

void CourseTable::setRows(std::vector<Course> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CourseTable::rowOf(qint64 id) const
{
    return rowWithId(m_rows, id);
}

int CourseTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CourseTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(courseHeaders().size());
}

QVariant CourseTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Course &c = m_rows[std::size_t(index.row())];
    switch (index.column()) {
    case 0: return QString::number(c.id);
    case 1: return shortDate(c.from);
    case 2: return shortDate(c.to);
    case 3: return c.place;
    case 4: return QString::number(c.participants);
    default: return QString::number(c.certificates);
    }
}

QVariant CourseTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return courseHeaders().value(section);
}

void ParticipantTable::setRows(std::vector<Participant> rows, int questions)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_questions = questions;
    endResetModel();
}

int ParticipantTable::rowOf(qint64 id) const
{
    return rowWithId(m_rows, id);
}

int ParticipantTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ParticipantTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(participantHeaders().size());
}

QVariant ParticipantTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Participant &p = m_rows[std::size_t(index.row())];
    switch (index.column()) {
    case 0: return p.surname;
    case 1: return p.firstName;
    case 2: return shortDate(p.birthDate);
    case 3: return p.birthPlace;
    case 4: return p.position;
    case 5: return p.examined ? QStringLiteral("%1/%2 pkt").arg(p.points).arg(m_questions) : QString();
    case 6: return p.passed ? QStringLiteral("tak") : QStringLiteral("nie");
    default: return p.certificate;
    }
}

QVariant ParticipantTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return participantHeaders().value(section);
}

} // namespace marbelo
