// Loading the news page without ever blocking the game: the request runs in the background and
// a page that cannot be loaded leaves a plain notice.
#include "dialogs/NewsWindow.h"

#include <QStringDecoder>
#include <QTimer>
#include <QVBoxLayout>

#ifdef QUORVEL_WEBENGINE
#include <QWebEngineView>
#else
#include <QTextBrowser>
#endif

#include <cstdio>
#include <utility>

NewsWindow::NewsWindow(UrlOpener opener, QWidget* parent, FetcherSource fetcherSource)
    : QDialog(parent), m_open(std::move(opener)) {
    setObjectName(QStringLiteral("TfrmNews"));
    setWindowTitle(QStringLiteral("News from Quorvel"));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
#ifdef QUORVEL_WEBENGINE
    Q_UNUSED(fetcherSource) // the web view fetches its own pages
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
    m_fetcherSource = std::move(fetcherSource);
#endif
    resize(483, 234);
}

NewsWindow::~NewsWindow() = default;

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

const QString& NewsWindow::noModuleText() {
    static const QString text =
        QStringLiteral("The news cannot be shown: the game's news module (quorvel_news) is "
                       "missing or damaged. Installing the game again brings it back.");
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

#else

// The module is looked for at the first navigate only: one that is missing stays missing.
bool NewsWindow::hasFetcher() {
    if (!m_fetcher && m_fetcherSource) {
        QString why;
        m_fetcher = std::exchange(m_fetcherSource, nullptr)(why);
        if (!m_fetcher)
            std::fprintf(stderr, "Quorvel: no news (%s).\n", qPrintable(why));
    }
    return m_fetcher != nullptr;
}

void NewsWindow::navigate(const QUrl& address) {
    m_address = address;
    if (!hasFetcher()) {
        m_browser->setPlainText(noModuleText());
        // Told later, as a page that loads is: whoever navigates listens after the call.
        QTimer::singleShot(0, this, [this] { emit pageLoaded(false); });
        return;
    }
    m_browser->setPlainText(loadingText());
    m_fetcher->fetch(address, TimeoutMs, MaxPageBytes,
                     [this](const PageFetcher::Page& page) { showPage(page); });
}

void NewsWindow::showFailure() {
    m_browser->setPlainText(failureText());
}

void NewsWindow::showPage(const PageFetcher::Page& page) {
    if (!page.ok) {
        showFailure();
        emit pageLoaded(false);
        return;
    }
    // The page says its encoding in its header or its meta tag; UTF-8 when it says nothing.
    QString text;
    if (auto decoder = QStringDecoder::decoderForHtml(page.body); decoder.isValid())
        text = decoder.decode(page.body);
    else
        text = QString::fromUtf8(page.body);
    if (page.contentType.startsWith(QLatin1String("text/plain")))
        m_browser->setPlainText(text);
    else
        m_browser->setHtml(text);
    emit pageLoaded(true);
}

#endif
