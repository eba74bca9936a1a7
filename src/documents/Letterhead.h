// The organiser's letterhead at the head of a document: its name, its
// address and its logo picture (PNG or JPEG bytes, empty for none). The
// layers above fill it from the organiser's record; an empty letterhead
// (no name) prints nothing.
#pragma once

#include <QByteArray>
#include <QString>

namespace marbelo {

struct Letterhead
{
    QString name;
    QString address;
    QByteArray logo{};

    bool isEmpty() const { return name.trimmed().isEmpty(); }
};

} // namespace marbelo
