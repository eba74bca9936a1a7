// The producer's web page and mail address, and handing a URL to the
// desktop's registered program (browser, mail client).
#pragma once

#include <QUrl>

#include <functional>

namespace marbelo {

// The producer's web site.
QUrl producerWebUrl();
// A new mail to the producer with the subject "Dravelo".
QUrl producerMailUrl();

// Opens the URL with the desktop's program for it; the result is not
// examined and nothing is reported when it cannot be opened.
void openUrl(const QUrl &url);

// Replaces the desktop call (tests capture the URL); an empty function
// restores it.
void setUrlOpenerForTests(std::function<void(const QUrl &)> opener);

} // namespace marbelo
