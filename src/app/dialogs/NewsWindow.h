// The news window: the maker's news page, in Qt WebEngine when the build has it, otherwise in a
// text browser fed by a plain network request from the news module.
#pragma once

#include "news/PageFetcher.h"
#include "support/UrlOpener.h"

#include <QDialog>

#include <functional>
#include <memory>

class QTextBrowser;
class QWebEngineView;

class NewsWindow : public QDialog {
    Q_OBJECT
public:
    // Where the text browser's page comes from: the news module, loaded on the first navigate.
    using FetcherSource = std::function<std::unique_ptr<PageFetcher>(QString& why)>;

    // Links on the page open in the player's browser through opener.
    explicit NewsWindow(UrlOpener opener, QWidget* parent = nullptr,
                        FetcherSource fetcherSource = loadPageFetcher);
    ~NewsWindow() override;

    // Starts loading the page and returns at once; a page still loading is dropped.
    void navigate(const QUrl& address);
    QUrl address() const { return m_address; }

    // What the window shows as plain text (the text browser only; empty with WebEngine).
    QString shownText() const;
    static bool usesWebEngine();

    static const QString& loadingText();
    static const QString& failureText();
    static const QString& noModuleText(); // the news module is missing or damaged

    static constexpr int TimeoutMs = 15000;
    static constexpr qint64 MaxPageBytes = 2 * 1024 * 1024;

signals:
    void pageLoaded(bool ok);

private:
    void showFailure();

    UrlOpener m_open;
    QUrl m_address;
#ifdef QUORVEL_WEBENGINE
    QWebEngineView* m_view = nullptr;
#else
    void showPage(const PageFetcher::Page& page);
    bool hasFetcher();

    QTextBrowser* m_browser = nullptr;
    FetcherSource m_fetcherSource;
    std::unique_ptr<PageFetcher> m_fetcher;
#endif
};
