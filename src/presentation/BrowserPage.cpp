#include "presentation/BrowserPage.h"

#include "presentation/DecodedSlides.h"

#include <QFile>
#include <QUrl>

// The template is compiled into the core library, which is linked statically:
// its resources must be registered by name.
static void registerPlayerResources()
{
    Q_INIT_RESOURCE(player);
}

namespace marbelo {

QByteArray browserPage(const QString &title, const QString &slideFolder, int slideCount)
{
    static const bool registered = (registerPlayerResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/player/player.html"));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray page = file.readAll();

    // Percent-encoding leaves only letters, digits and "-._~": safe inside a
    // script string and a URL alike.
    const QByteArray folder = QUrl::toPercentEncoding(slideFolder);
    QByteArray list = "[";
    list.reserve(slideCount * (folder.size() + 14) + 2);
    for (int n = 1; n <= slideCount; ++n) {
        if (n > 1)
            list += ',';
        list += '"' + folder + '/' + decodedSlideName(QString(), n).toLatin1() + '"';
    }
    list += ']';
    page.replace("@SLIDES@", list);
    // Last, so that nothing in the name is taken for a placeholder.
    page.replace("@TITLE@", title.toHtmlEscaped().toUtf8());
    return page;
}

} // namespace marbelo
