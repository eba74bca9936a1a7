#include "trainings/RenewalIntervals.h"

#include <array>

namespace marbelo {

namespace {

struct TypeIntervals
{
    int defaultYears;
    int otherYears; // 0: none
    const char16_t *otherPost;
};

constexpr std::array<TypeIntervals, 6> kIntervalsByType = {{
    {5, 0, nullptr},                                                 // employers performing BHP service tasks
    {5, 0, nullptr},                                                 // employers and managers
    {3, 1, u"stanowisko szczególnie niebezpieczne"},                 // manual positions
    {5, 0, nullptr},                                                 // engineering and technical staff
    {5, 0, nullptr},                                                 // BHP service staff
    {6, 5, u"stanowisko inne niż administracyjno-biurowe"},          // administrative, office and others
}};

} // namespace

std::vector<RenewalInterval> renewalIntervals(int type)
{
    if (type < 0 || type >= static_cast<int>(kIntervalsByType.size()))
        return {};
    const TypeIntervals &t = kIntervalsByType[static_cast<std::size_t>(type)];
    std::vector<RenewalInterval> intervals{{t.defaultYears, QString()}};
    if (t.otherYears > 0)
        intervals.push_back({t.otherYears, QString::fromUtf16(t.otherPost)});
    return intervals;
}

int defaultRenewalYears(int type)
{
    const std::vector<RenewalInterval> intervals = renewalIntervals(type);
    return intervals.empty() ? 0 : intervals.front().years;
}

bool renewalYearsAllowed(int type, int years)
{
    if (years == 0)
        return true;
    for (const RenewalInterval &interval : renewalIntervals(type))
        if (interval.years == years)
            return true;
    return false;
}

int renewalYears(int type, int chosen)
{
    return chosen != 0 && renewalYearsAllowed(type, chosen) ? chosen : defaultRenewalYears(type);
}

QString yearsText(int years)
{
    if (years == 1)
        return QStringLiteral("1 rok");
    const int tens = years % 100;
    const int last = years % 10;
    const bool few = last >= 2 && last <= 4 && (tens < 12 || tens > 14);
    return QStringLiteral("%1 %2").arg(years).arg(few ? QStringLiteral("lata") : QStringLiteral("lat"));
}

} // namespace marbelo
