// Fetching the news page with Qt Network, inside the news module.
#pragma once

#include "news/PageFetcher.h"

#include <QNetworkAccessManager>
#include <QPointer>

class QNetworkReply;

class NetworkPageFetcher : public PageFetcher {
public:
    ~NetworkPageFetcher() override;
    void fetch(const QUrl& address, int timeoutMs, qint64 maxBytes, Done done) override;

private:
    void drop();

    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
};
