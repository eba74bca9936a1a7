// The font of every window. Where the system's dialog font lacks Polish
// letters (Wine's default font has no "Ż" or "Ć"), the interface is pinned to
// DejaVu Sans, which the program carries for its documents.
#pragma once

#include <QFont>

namespace marbelo {

// The Polish letters every window must show, capitals and small.
inline constexpr char16_t kPolishLetters[] = u"ĄĆĘŁŃÓŚŹŻąćęłńóśźż";

// True when the font's own face (not a fallback) holds every Polish letter.
bool hasPolishLetters(const QFont &font);

// The application's font when it holds every Polish letter, otherwise DejaVu
// Sans at its point size. Needs a QGuiApplication.
QFont interfaceFont(const QFont &systemFont);

// Sets interfaceFont(QApplication::font()) for the whole application; true
// when the font was pinned.
bool pinInterfaceFont();

} // namespace marbelo
