#include "common/ui/InterfaceFont.h"

#include "documents/DocumentFont.h"

#include <QApplication>
#include <QRawFont>

#include <string_view>

namespace marbelo {

bool hasPolishLetters(const QFont &font)
{
    const QRawFont face = QRawFont::fromFont(font);
    if (!face.isValid())
        return false;
    for (const char16_t letter : std::u16string_view(kPolishLetters)) {
        if (!face.supportsCharacter(QChar(letter)))
            return false;
    }
    return true;
}

QFont interfaceFont(const QFont &systemFont)
{
    if (hasPolishLetters(systemFont))
        return systemFont;
    const double size = systemFont.pointSizeF() > 0 ? systemFont.pointSizeF() : 9.0;
    return documentFont(size);
}

bool pinInterfaceFont()
{
    const QFont system = QApplication::font();
    const QFont chosen = interfaceFont(system);
    if (chosen == system)
        return false;
    QApplication::setFont(chosen);
    return true;
}

} // namespace marbelo
