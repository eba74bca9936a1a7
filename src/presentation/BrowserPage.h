// The page that plays an exported presentation in a web browser: one small
// file of HTML, CSS and script made from the template in the program's
// resources, with the training's name and the list of slide files written in.
#pragma once

#include <QByteArray>
#include <QString>

namespace marbelo {

// The page for slideCount slides named slideFolder/0001.jpg ..., relative to
// the page. title is HTML-escaped; the folder name is percent-encoded, so no
// name can break out of the page's text or script.
QByteArray browserPage(const QString &title, const QString &slideFolder, int slideCount);

} // namespace marbelo
