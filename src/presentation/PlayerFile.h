// Which presentation file the player plays.
#pragma once

#include <QString>
#include <QStringList>

namespace marbelo {

// The file named by the first argument; without arguments the *.pnn file in
// the player's own folder (the newest when there are several). Empty when
// there is none.
QString findPresentation(const QStringList &arguments, const QString &playerDir);

} // namespace marbelo
