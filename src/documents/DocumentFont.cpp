#include "documents/DocumentFont.h"

#include <QFile>
#include <QFontDatabase>

// The font is compiled into the core library, which is linked statically:
// its resources must be registered by name.
static void registerDocumentFontResources()
{
    Q_INIT_RESOURCE(pdffont);
}

namespace marbelo {

namespace {

QString registeredFamily()
{
    static const QString family = [] {
        registerDocumentFontResources();
        QFile file(QStringLiteral(":/pdf/DejaVuSans.ttf"));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("DejaVu Sans");
        const int id = QFontDatabase::addApplicationFontFromData(file.readAll());
        const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QStringLiteral("DejaVu Sans") : families.first();
    }();
    return family;
}

} // namespace

QFont documentFont(double pointSize, bool bold)
{
    QFont font(registeredFamily());
    font.setPointSizeF(pointSize);
    // Only the regular face is embedded: bold is drawn by the writer.
    font.setBold(bold);
    return font;
}

} // namespace marbelo
