// What the news window needs to fetch its page: Qt Network in the news module, a fake in tests.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class PageFetcher {
public:
    struct Page {
        bool ok = false;     // false for any failure: no network, an error status, a timeout
        QByteArray body;     // at most the size asked for
        QString contentType; // the Content-Type header, as sent
    };
    using Done = std::function<void(const Page&)>;

    virtual ~PageFetcher() = default;

    // Starts fetching and returns at once; `done` runs later on this thread, once. A fetch still
    // running is dropped (its `done` never runs), and so is one running when the fetcher goes.
    // A page larger than maxBytes fails rather than shows in part.
    virtual void fetch(const QUrl& address, int timeoutMs, qint64 maxBytes, Done done) = 0;
};

// The news module's fetcher; null when the module is missing or damaged (`why` says why).
std::unique_ptr<PageFetcher> loadPageFetcher(QString& why);
