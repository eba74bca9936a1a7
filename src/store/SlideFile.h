// A coded slide decoded into a picture file, read back and deleted at once.
#pragma once

#include <QByteArray>
#include <QString>

namespace marbelo {

// Writes the decoded bytes of coded to path, reads them back into *jpeg and
// deletes the file. False (and *jpeg empty) when the file could not be written
// or read back whole.
bool passThroughFile(const QString &path, const QByteArray &coded, QByteArray *jpeg);

} // namespace marbelo
