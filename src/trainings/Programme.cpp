#include "trainings/Programme.h"

#include <QStringList>

#include <array>

namespace marbelo {

namespace {

// The minimum per training type, in lesson hours: the groups of the
// regulation on BHP training, in the order of the catalogue's types.
constexpr std::array<ProgrammeMinimum, 6> kMinimumByType = {{
    {64, 6}, // employers performing the tasks of the BHP service
    {16, 0}, // periodic: employers and managers
    {8, 0},  // periodic: workers in manual positions
    {16, 0}, // periodic: engineering and technical staff
    {32, 4}, // periodic: BHP service staff
    {8, 0},  // periodic: administrative and office staff and others
}};

PlannedHours headingChildrenSum(const OutlineTree &tree, OutlineNode node, bool *any)
{
    PlannedHours sum;
    for (OutlineNode child : tree.children(node)) {
        if (!isProgrammeHeading(tree, child))
            continue;
        const PlannedHours counted = countedHours(tree, child);
        if (tree.hours(child) || counted.total() > 0)
            *any = true;
        sum += counted;
    }
    return sum;
}

void numberRows(const OutlineTree &tree, OutlineNode parent, const QString &prefix, int level, bool underOwnHours,
                std::vector<ProgrammeRow> *rows)
{
    int number = 0;
    for (OutlineNode child : tree.children(parent)) {
        if (!isProgrammeHeading(tree, child))
            continue;
        ++number;
        const QString own = prefix.isEmpty() ? QString::number(number) : prefix + QLatin1Char('.') + QString::number(number);
        const bool hasOwn = tree.hours(child).has_value();
        rows->push_back({child, level == 0 ? own + QLatin1Char('.') : own, level, tree.name(child),
                         countedHours(tree, child), hasOwn || !underOwnHours});
        numberRows(tree, child, own, level + 1, underOwnHours || hasOwn, rows);
    }
}

} // namespace

ProgrammeMinimum programmeMinimum(int type)
{
    if (type < 0 || type >= static_cast<int>(kMinimumByType.size()))
        return {};
    return kMinimumByType[static_cast<std::size_t>(type)];
}

bool isProgrammeHeading(const OutlineTree &tree, OutlineNode node)
{
    return !hasSlide(tree.reference(node));
}

PlannedHours countedHours(const OutlineTree &tree, OutlineNode node)
{
    if (const std::optional<PlannedHours> own = tree.hours(node))
        return *own;
    bool any = false;
    return headingChildrenSum(tree, node, &any);
}

std::optional<PlannedHours> mismatchedDetail(const OutlineTree &tree, OutlineNode node)
{
    const std::optional<PlannedHours> own = tree.hours(node);
    if (!own)
        return std::nullopt;
    bool any = false;
    const PlannedHours detail = headingChildrenSum(tree, node, &any);
    if (!any || detail == *own)
        return std::nullopt;
    return detail;
}

PlannedHours programmeTotal(const OutlineTree &tree)
{
    PlannedHours total;
    for (OutlineNode top : tree.children(kOutlineRoot)) {
        if (isProgrammeHeading(tree, top))
            total += countedHours(tree, top);
    }
    return total;
}

bool meetsMinimum(const PlannedHours &total, int type)
{
    const ProgrammeMinimum minimum = programmeMinimum(type);
    return total.total() >= minimum.hours * kQuartersPerHour
           && total.exercises >= minimum.exercises * kQuartersPerHour;
}

std::vector<ProgrammeRow> programmeRows(const OutlineTree &tree)
{
    std::vector<ProgrammeRow> rows;
    numberRows(tree, kOutlineRoot, QString(), 0, false, &rows);
    return rows;
}

bool hoursShown(const ProgrammeRow &row)
{
    return row.counts && row.hours.total() > 0;
}

QString hoursText(int quarters, QChar decimalPoint)
{
    static const char *const fractions[] = {"", "25", "5", "75"};
    QString text = QString::number(quarters / kQuartersPerHour);
    if (quarters % kQuartersPerHour != 0)
        text += decimalPoint + QLatin1String(fractions[quarters % kQuartersPerHour]);
    return text;
}

std::optional<int> parseQuarters(const QString &text)
{
    QString plain = text.trimmed();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype point = plain.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? plain : plain.left(point);
    const QString fraction = point < 0 ? QString() : plain.mid(point + 1);
    bool ok = whole.isEmpty() && !fraction.isEmpty();
    int hours = 0;
    if (!whole.isEmpty()) {
        for (QChar c : whole) {
            if (!c.isDigit() || c.unicode() > 127)
                return std::nullopt;
        }
        hours = whole.size() > 5 ? kMaxQuarters : whole.toInt(&ok);
    }
    if (!ok)
        return std::nullopt;
    static const QString fractions[] = {QString(), QStringLiteral("25"), QStringLiteral("5"), QStringLiteral("75")};
    QString trimmed = fraction;
    while (trimmed.endsWith(QLatin1Char('0')))
        trimmed.chop(1);
    for (int q = 0; q < kQuartersPerHour; ++q) {
        if (trimmed == fractions[q]) {
            const long long quarters = static_cast<long long>(hours) * kQuartersPerHour + q;
            if (quarters > kMaxQuarters || (point >= 0 && fraction.isEmpty()))
                return std::nullopt;
            return static_cast<int>(quarters);
        }
    }
    return std::nullopt;
}

std::optional<PlannedHours> parseHours(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('+'));
    if (parts.size() > 2)
        return std::nullopt;
    const std::optional<int> theory = parseQuarters(parts[0]);
    const std::optional<int> exercises = parts.size() == 2 ? parseQuarters(parts[1]) : std::optional<int>(0);
    if (!theory || !exercises)
        return std::nullopt;
    return PlannedHours{*theory, *exercises};
}

QString headingHoursSuffix(const OutlineTree &tree, OutlineNode node)
{
    if (!isProgrammeHeading(tree, node))
        return QString();
    const PlannedHours counted = countedHours(tree, node);
    if (!tree.hours(node) && counted.total() == 0)
        return QString();
    QString text = QStringLiteral(" — %1 h").arg(hoursText(counted.total(), QLatin1Char(',')));
    if (const std::optional<PlannedHours> detail = mismatchedDetail(tree, node))
        text += QStringLiteral(" (podpunkty: %1 h)").arg(hoursText(detail->total(), QLatin1Char(',')));
    return text;
}

QString programmeLine(const PlannedHours &total, int type)
{
    const ProgrammeMinimum minimum = programmeMinimum(type);
    QString line = QStringLiteral("Program: %1 h z wymaganych %2")
                       .arg(hoursText(total.total(), QLatin1Char(',')))
                       .arg(minimum.hours);
    if (minimum.exercises > 0)
        line += QStringLiteral(" (ćwiczenia: %1 h z wymaganych %2)")
                    .arg(hoursText(total.exercises, QLatin1Char(',')))
                    .arg(minimum.exercises);
    if (!meetsMinimum(total, type))
        line += QStringLiteral(" — poniżej minimum");
    return line;
}

QString programmeTsv(const OutlineTree &tree, int type)
{
    QString out;
    for (const ProgrammeRow &row : programmeRows(tree)) {
        // A row whose hours do not count has its three fields empty.
        const auto field = [&row](int quarters) { return row.counts ? hoursText(quarters) : QString(); };
        out += row.number + QLatin1Char('\t') + QString::number(row.level) + QLatin1Char('\t') + row.name
               + QLatin1Char('\t') + field(row.hours.theory) + QLatin1Char('\t') + field(row.hours.exercises)
               + QLatin1Char('\t') + field(row.hours.total()) + QLatin1Char('\n');
    }
    out += QStringLiteral("RAZEM\t") + hoursText(programmeTotal(tree).total()) + QLatin1Char('\t')
           + QString::number(programmeMinimum(type).hours) + QLatin1Char('\n');
    return out;
}

} // namespace marbelo
