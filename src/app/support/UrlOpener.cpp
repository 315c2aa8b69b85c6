// The desktop opener behind the seam.
#include "support/UrlOpener.h"

#include <QDesktopServices>

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

QUrl encodedUrl(const std::string& address) {
    return QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::StrictMode);
}
