// The two tables of the "Kursy" window as item models over the rows the core
// returns: the courses of the training, and the participants of the selected
// course with their result and certificate. Each row's id is the record's number.
#pragma once

#include "courses/CourseTypes.h"

#include <QAbstractTableModel>

#include <vector>

namespace marbelo {

class CourseTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<Course> rows);
    const std::vector<Course> &rows() const { return m_rows; }
    // The row of the course numbered id; -1 when none.
    int rowOf(qint64 id) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<Course> m_rows;
};

class ParticipantTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // questions: of each variant of the course's test, for the points shown.
    void setRows(std::vector<Participant> rows, int questions);
    const std::vector<Participant> &rows() const { return m_rows; }
    int rowOf(qint64 id) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<Participant> m_rows;
    int m_questions = 0;
};

} // namespace marbelo
