#include "courses/ui/RenewalTree.h"

#include "common/PolishOrder.h"
#include "courses/ui/CourseTables.h"
#include "store/Records.h"

#include <QColor>
#include <QFont>

#include <algorithm>

namespace marbelo {

namespace {

// Polish order of names, the people without an employer last.
bool groupLess(const RenewalGroup &a, const RenewalGroup &b)
{
    if ((a.employer.id == 0) != (b.employer.id == 0))
        return b.employer.id == 0;
    if (a.employer.name != b.employer.name)
        return polishLess(a.employer.name, b.employer.name);
    return a.employer.id < b.employer.id;
}

QString groupName(const RenewalGroup &group)
{
    return group.employer.id == 0 ? QStringLiteral("(bez pracodawcy)") : group.employer.name;
}

} // namespace

std::vector<RenewalGroup> groupByEmployer(const std::vector<Renewal> &renewals)
{
    std::vector<RenewalGroup> groups;
    for (const Renewal &r : renewals) {
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const RenewalGroup &g) { return g.employer.id == r.fact.employer.id; });
        if (group == groups.end())
            group = groups.insert(groups.end(), RenewalGroup{r.fact.employer, {}, 0});
        group->people.push_back(r);
        group->overdue += r.overdue ? 1 : 0;
    }
    std::stable_sort(groups.begin(), groups.end(), groupLess);
    return groups;
}

void RenewalTree::setRenewals(const std::vector<Renewal> &renewals)
{
    beginResetModel();
    m_groups = groupByEmployer(renewals);
    endResetModel();
}

// An employer's row has no internal id; a person's carries its group's row + 1.
const RenewalGroup *RenewalTree::groupAt(const QModelIndex &index) const
{
    return index.isValid() && index.internalId() == 0 ? &m_groups[std::size_t(index.row())] : nullptr;
}

const Renewal *RenewalTree::renewalAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == 0)
        return nullptr;
    return &m_groups[std::size_t(index.internalId() - 1)].people[std::size_t(index.row())];
}

QModelIndex RenewalTree::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return parent.isValid() ? createIndex(row, column, quintptr(parent.row() + 1)) : createIndex(row, column, quintptr(0));
}

QModelIndex RenewalTree::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int RenewalTree::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_groups.size());
    const RenewalGroup *group = parent.column() == 0 ? groupAt(parent) : nullptr;
    return group ? int(group->people.size()) : 0;
}

int RenewalTree::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant RenewalTree::data(const QModelIndex &index, int role) const
{
    if (const Renewal *renewal = renewalAt(index))
        return personData(*renewal, index.column(), role);
    const RenewalGroup *group = groupAt(index);
    if (!group)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() != 0)
            return {};
        return QStringLiteral("%1 — osób: %2, zaległych: %3")
            .arg(groupName(*group))
            .arg(group->people.size())
            .arg(group->overdue);
    case Qt::FontRole: {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case SortRole:
        return groupName(*group);
    default:
        return {};
    }
}

QVariant RenewalTree::personData(const Renewal &renewal, int column, int role) const
{
    const CertificateFact &f = renewal.fact;
    if (role == Qt::ForegroundRole)
        return renewal.overdue ? QVariant(QColor(0xb0, 0, 0)) : QVariant();
    if (role == SortRole && column == Due)
        return renewal.due;
    if (role != Qt::DisplayRole && role != SortRole)
        return {};
    switch (column) {
    case Due: return shortDate(renewal.due);
    case State: return renewalState(renewal);
    case Name: return QStringLiteral("%1 %2").arg(f.surname, f.firstName);
    case Position: return f.position;
    case Type: return trainingTypeName(f.type);
    case Number: return f.number;
    default: return {};
    }
}

QVariant RenewalTree::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char16_t *const headers[ColumnCount] = {u"Termin", u"Stan", u"Nazwisko i imię",
                                                         u"Stanowisko", u"Rodzaj szkolenia", u"Nr zaświadczenia"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf16(headers[section]);
}

bool RenewalSort::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const auto *tree = static_cast<const RenewalTree *>(sourceModel());
    const RenewalGroup *a = tree->groupAt(left);
    const RenewalGroup *b = tree->groupAt(right);
    if (a && b) {
        // The groups keep the order of their names whichever way people are
        // sorted: a descending sort asks with the two swapped.
        return sortOrder() == Qt::AscendingOrder ? groupLess(*a, *b) : groupLess(*b, *a);
    }
    const QVariant l = left.data(RenewalTree::SortRole);
    const QVariant r = right.data(RenewalTree::SortRole);
    if (l.typeId() == QMetaType::QDate)
        return l.toDate() < r.toDate();
    return polishLess(l.toString(), r.toString());
}

} // namespace marbelo
