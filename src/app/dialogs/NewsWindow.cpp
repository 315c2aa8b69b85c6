// Loading the news page without ever blocking the game: the request runs in the background and
// a page that cannot be loaded leaves a plain notice.
#include "dialogs/NewsWindow.h"

#include <QStringDecoder>
#include <QVBoxLayout>

#ifdef QUORVEL_WEBENGINE
#include <QWebEngineView>
#else
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextBrowser>
#endif

NewsWindow::NewsWindow(UrlOpener opener, QWidget* parent)
    : QDialog(parent), m_open(std::move(opener)) {
    setObjectName(QStringLiteral("TfrmNews"));
    setWindowTitle(QStringLiteral("News from Quorvel"));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef QUORVEL_WEBENGINE
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("news"));
    m_view->setAccessibleName(QStringLiteral("News"));
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!ok)
            showFailure();
        emit pageLoaded(ok);
    });
#else
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("news"));
    m_browser->setAccessibleName(QStringLiteral("News"));
    // Links leave the window for the player's browser; the news window shows only the news.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (m_open)
            m_open(m_address.resolved(link));
    });
    layout->addWidget(m_browser);
    m_network = new QNetworkAccessManager(this);
#endif
    resize(483, 234);
}

NewsWindow::~NewsWindow() {
#ifndef QUORVEL_WEBENGINE
    if (m_reply)
        m_reply->abort();
#endif
}

bool NewsWindow::usesWebEngine() {
#ifdef QUORVEL_WEBENGINE
    return true;
#else
    return false;
#endif
}

const QString& NewsWindow::loadingText() {
    static const QString text = QStringLiteral("Loading the news...");
    return text;
}

const QString& NewsWindow::failureText() {
    static const QString text =
        QStringLiteral("The news could not be loaded. Please check your internet connection and "
                       "try again later.");
    return text;
}

QString NewsWindow::shownText() const {
#ifdef QUORVEL_WEBENGINE
    return {};
#else
    return m_browser->toPlainText();
#endif
}

#ifdef QUORVEL_WEBENGINE

void NewsWindow::navigate(const QUrl& address) {
    m_address = address;
    m_view->setUrl(address);
}

void NewsWindow::showFailure() {
    m_view->setHtml(QStringLiteral("<p>%1</p>").arg(failureText().toHtmlEscaped()));
}

void NewsWindow::showPage(QNetworkReply*) {}

#else

void NewsWindow::navigate(const QUrl& address) {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    m_address = address;
    m_browser->setPlainText(loadingText());
    QNetworkRequest request(address);
    request.setTransferTimeout(TimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    // A page far larger than any news page is no news page: stop reading it.
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > MaxPageBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (reply != m_reply)
            return;
        showPage(reply);
    });
}

void NewsWindow::showFailure() {
    m_browser->setPlainText(failureText());
}

void NewsWindow::showPage(QNetworkReply* reply) {
    const bool ok = reply->error() == QNetworkReply::NoError;
    if (!ok) {
        showFailure();
        emit pageLoaded(false);
        return;
    }
    const QByteArray body = reply->read(MaxPageBytes);
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    // The page says its encoding in its header or its meta tag; UTF-8 when it says nothing.
    QString text;
    if (auto decoder = QStringDecoder::decoderForHtml(body); decoder.isValid())
        text = decoder.decode(body);
    else
        text = QString::fromUtf8(body);
    if (type.startsWith(QLatin1String("text/plain")))
        m_browser->setPlainText(text);
    else
        m_browser->setHtml(text);
    emit pageLoaded(true);
}

#endif
