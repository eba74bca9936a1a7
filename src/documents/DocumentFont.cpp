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
        QString family = QStringLiteral("DejaVu Sans");
        // The bold face too: otherwise bold comes from the system's fonts
        // where it has them, and is drawn from the regular face elsewhere,
        // with other widths.
        for (const char *face : {":/pdf/DejaVuSans.ttf", ":/pdf/DejaVuSans-Bold.ttf"}) {
            QFile file(QString::fromLatin1(face));
            const int id = file.open(QIODevice::ReadOnly) ? QFontDatabase::addApplicationFontFromData(file.readAll()) : -1;
            const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty())
                family = families.first();
        }
        return family;
    }();
    return family;
}

} // namespace

QFont documentFont(double pointSize, bool bold)
{
    QFont font(registeredFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // No ligatures: "fi" stays two letters, so the PDF's text reads and
    // searches as written.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace marbelo
