#include "shell/Contact.h"

#include <QDesktopServices>

#include <utility>

namespace marbelo {

namespace {

const QString kWebAddress = QStringLiteral("https://www.tavo.pl/marbelo");
const QString kMailAddress = QStringLiteral("biuro@tavo.pl");

std::function<void(const QUrl &)> &opener()
{
    static std::function<void(const QUrl &)> instance;
    return instance;
}

} // namespace

QUrl producerWebUrl()
{
    return QUrl(kWebAddress);
}

QUrl producerMailUrl()
{
    return QUrl(QStringLiteral("mailto:") + kMailAddress + QStringLiteral("?subject=Dravelo"));
}

void openUrl(const QUrl &url)
{
    if (opener())
        opener()(url);
    else
        QDesktopServices::openUrl(url);
}

void setUrlOpenerForTests(std::function<void(const QUrl &)> replacement)
{
    opener() = std::move(replacement);
}

} // namespace marbelo
