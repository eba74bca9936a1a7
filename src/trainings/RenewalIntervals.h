// How often each training type is repeated: the years from a course's last
// day to the next periodic training, one table beside the training types.
// Where the rules differ within a type, a participant's post allows another
// interval (a worker on an especially dangerous post every year; an
// administrative-type worker on another post every 5 years).
#pragma once

#include <QString>

#include <vector>

namespace marbelo {

struct RenewalInterval
{
    int years = 0;
    QString post; // the post the rules give it for; empty for the type's default
};

// The type's intervals, its default first; empty for an unknown type.
std::vector<RenewalInterval> renewalIntervals(int type);
// The type's default interval in years; 0 for an unknown type.
int defaultRenewalYears(int type);
// Whether a participant of the type may carry that interval; 0 (the
// type's default) always may.
bool renewalYearsAllowed(int type, int years);
// The years that count: chosen when the type allows it, else the default.
int renewalYears(int type, int chosen);
// "1 rok", "3 lata", "5 lat".
QString yearsText(int years);

} // namespace marbelo
