#include "common/PolishOrder.h"

#include <QCollator>
#include <QLocale>

namespace marbelo {

bool polishLess(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b) < 0;
}

} // namespace marbelo
