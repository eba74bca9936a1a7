// The renewals as the "Odnowienia" window shows them: a tree with a row per
// employer (how many people, how many of them overdue) and its people under
// it, and the sorting that orders people within their employer's group by
// the column chosen while the groups keep the order of their names.
#pragma once

#include "courses/Renewals.h"

#include <QAbstractItemModel>
#include <QSortFilterProxyModel>

#include <vector>

namespace marbelo {

struct RenewalGroup
{
    Employer employer; // id 0: the people without one
    std::vector<Renewal> people;
    int overdue = 0;
};

// The groups in Polish order of the employers' names, the people without an
// employer last; people in the order given.
std::vector<RenewalGroup> groupByEmployer(const std::vector<Renewal> &renewals);

class RenewalTree : public QAbstractItemModel
{
public:
    enum Column { Due, State, Name, Position, Type, Number, ColumnCount };
    // What a column is sorted by: a date for the due date, else a text.
    static constexpr int SortRole = Qt::UserRole;

    explicit RenewalTree(QObject *parent) : QAbstractItemModel(parent) {}

    void setRenewals(const std::vector<Renewal> &renewals);
    const std::vector<RenewalGroup> &groups() const { return m_groups; }
    // The group of an employer's row, or null for a person's.
    const RenewalGroup *groupAt(const QModelIndex &index) const;
    // The renewal of a person's row, or null for an employer's.
    const Renewal *renewalAt(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant personData(const Renewal &renewal, int column, int role) const;

    std::vector<RenewalGroup> m_groups;
};

class RenewalSort : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};

} // namespace marbelo
