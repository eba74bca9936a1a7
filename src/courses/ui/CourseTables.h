// The tables of the "Kursy", register and employers windows as item models
// over the rows the core returns: the courses of the training, the
// participants of the selected course with their employer, result and
// certificate, the register's numbers, the employers.
// Each row's id is the record's number.
#pragma once

#include "courses/CourseTypes.h"

#include <QAbstractTableModel>
#include <QColor>

#include <functional>
#include <utility>
#include <vector>

namespace marbelo {

template <typename Row>
class RowTable : public QAbstractTableModel
{
public:
    // Each column: its header and the text of a row's cell.
    using Column = std::pair<QString, std::function<QString(const Row &)>>;

    RowTable(std::vector<Column> columns, QObject *parent) : QAbstractTableModel(parent), m_columns(std::move(columns))
    {
    }
    // Rows for which muted holds are shown grey (a cancelled certificate).
    void setMuted(std::function<bool(const Row &)> muted) { m_muted = std::move(muted); }

    void setRows(std::vector<Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    const std::vector<Row> &rows() const { return m_rows; }
    // The row of the record numbered id; -1 when none.
    int rowOf(qint64 id) const
    {
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].id == id)
                return int(i);
        return -1;
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_columns.size());
    }
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override
    {
        if (!index.isValid())
            return {};
        const Row &row = m_rows[std::size_t(index.row())];
        if (role == Qt::ForegroundRole && m_muted && m_muted(row))
            return QColor(Qt::gray);
        if (role != Qt::DisplayRole)
            return {};
        return m_columns[std::size_t(index.column())].second(row);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
            return {};
        return m_columns[std::size_t(section)].first;
    }

private:
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    std::function<bool(const Row &)> m_muted;
};

using CourseTable = RowTable<Course>;
using ParticipantTable = RowTable<Participant>;
using RegisterTable = RowTable<RegisterEntry>;
using EmployerTable = RowTable<Employer>;

// A date as the window's tables and messages show it: "14.12.2026".
QString shortDate(const QDate &date);

std::vector<CourseTable::Column> courseColumns();
// questions: of each variant of the selected course's test, for the points shown.
std::vector<ParticipantTable::Column> participantColumns(const int *questions);
std::vector<RegisterTable::Column> registerColumns();
std::vector<EmployerTable::Column> employerColumns();

} // namespace marbelo
