// One request at a time, in the background, never blocking the game.
#include "news/NetworkPageFetcher.h"

#include <QNetworkReply>
#include <QNetworkRequest>

NetworkPageFetcher::~NetworkPageFetcher() {
    drop();
}

void NetworkPageFetcher::drop() {
    if (!m_reply)
        return;
    m_reply->disconnect(&m_network);
    m_reply->abort();
    m_reply->deleteLater();
}

void NetworkPageFetcher::fetch(const QUrl& address, int timeoutMs, qint64 maxBytes, Done done) {
    drop();
    QNetworkRequest request(address);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network.get(request);
    m_reply = reply;
    // A page far larger than any news page is no news page: stop reading it.
    QObject::connect(reply, &QNetworkReply::downloadProgress, &m_network,
                     [reply, maxBytes](qint64 received, qint64) {
                         if (received > maxBytes)
                             reply->abort();
                     });
    QObject::connect(reply, &QNetworkReply::finished, &m_network,
                     [reply, maxBytes, done = std::move(done)] {
                         reply->deleteLater();
                         Page page;
                         page.ok = reply->error() == QNetworkReply::NoError;
                         if (page.ok) {
                             page.body = reply->read(maxBytes);
                             page.contentType =
                                 reply->header(QNetworkRequest::ContentTypeHeader).toString();
                         }
                         done(page);
                     });
}
