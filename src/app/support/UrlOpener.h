// Web pages, mail and local files open through one seam, so tests can see what would open.
#pragma once

#include <QUrl>

#include <functional>

// Opens an address with the desktop's program for it, without waiting; failures are not
// reported (a missing browser or help page is the desktop's business).
using UrlOpener = std::function<void(const QUrl&)>;

// The desktop's own opener (QDesktopServices).
UrlOpener desktopUrlOpener();

// An address built by the core, already percent-encoded, as a URL that keeps that encoding.
QUrl encodedUrl(const std::string& address);
