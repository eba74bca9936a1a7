#include "store/components/ui/Cp1250Validator.h"

#include "store/Cp1250.h"

namespace marbelo {

QValidator::State Cp1250Validator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos)
    // Invalid (never fixed up): the edit keeps its previous text, so no
    // character is silently replaced or dropped.
    return canEncodeCp1250(input) ? Acceptable : Invalid;
}

} // namespace marbelo
