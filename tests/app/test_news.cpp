// The news window over a scripted page fetcher: what it shows for a page, a failure and a
// missing news module, and where its links go. (test_help loads the real module.)
#include "dialogs/NewsWindow.h"

#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

namespace {

// Records each fetch; the test decides when and how it ends.
class ScriptedFetcher : public PageFetcher {
public:
    struct Fetch {
        QUrl address;
        int timeoutMs;
        qint64 maxBytes;
        Done done;
    };
    void fetch(const QUrl& address, int timeoutMs, qint64 maxBytes, Done done) override {
        fetches->push_back({address, timeoutMs, maxBytes, std::move(done)});
    }
    std::shared_ptr<std::vector<Fetch>> fetches = std::make_shared<std::vector<Fetch>>();
};

const QUrl newsPage(QStringLiteral("https://www.quorvel.example/news/news.htm"));

} // namespace

class NewsTest : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<std::vector<ScriptedFetcher::Fetch>> m_fetches;
    int m_modulesLoaded = 0;
    QList<QUrl> m_opened;

    std::unique_ptr<NewsWindow> makeWindow() {
        return std::make_unique<NewsWindow>(
            [this](const QUrl& url) { m_opened << url; }, nullptr,
            [this](QString&) -> std::unique_ptr<PageFetcher> {
                ++m_modulesLoaded;
                auto fetcher = std::make_unique<ScriptedFetcher>();
                m_fetches = fetcher->fetches;
                return fetcher;
            });
    }

    static void finish(const ScriptedFetcher::Fetch& fetch, bool ok, const QByteArray& body,
                       const QString& type = QStringLiteral("text/html")) {
        fetch.done({ok, body, type});
    }

private slots:
    void initTestCase() {
        if (NewsWindow::usesWebEngine())
            QSKIP("the WebEngine window fetches its own pages");
    }

    void init() {
        m_fetches.reset();
        m_modulesLoaded = 0;
        m_opened.clear();
    }

    // The module is looked for when the news is first fetched, not when the window is made,
    // and only once however often the news is opened.
    void theModuleLoadsOnTheFirstFetchOnly() {
        auto news = makeWindow();
        QCOMPARE(m_modulesLoaded, 0);
        news->navigate(newsPage);
        QCOMPARE(m_modulesLoaded, 1);
        QCOMPARE(news->shownText(), NewsWindow::loadingText());
        news->navigate(newsPage);
        QCOMPARE(m_modulesLoaded, 1);
        QCOMPARE(m_fetches->size(), 2u);
        QCOMPARE(m_fetches->at(0).address, newsPage);
        QCOMPARE(m_fetches->at(0).timeoutMs, NewsWindow::TimeoutMs);
        QCOMPARE(m_fetches->at(0).maxBytes, NewsWindow::MaxPageBytes);
    }

    void pagesShowInTheirOwnEncodingAndPlainTextStaysPlain() {
        auto news = makeWindow();
        QSignalSpy loaded(news.get(), &NewsWindow::pageLoaded);
        news->navigate(newsPage);
        finish(m_fetches->back(),
               true, "<html><head><meta charset=\"windows-1252\"></head><body>Caf\xe9 news</body></html>");
        QCOMPARE(news->shownText(), QStringLiteral("Caf\u00e9 news"));
        news->navigate(newsPage);
        finish(m_fetches->back(), true, "<b>bold?</b>", QStringLiteral("text/plain; charset=utf-8"));
        QCOMPARE(news->shownText(), QStringLiteral("<b>bold?</b>"));
        QCOMPARE(loaded.size(), 2);
        QVERIFY(loaded.at(0).at(0).toBool() && loaded.at(1).at(0).toBool());
    }

    void aFailedFetchLeavesThePlainNotice() {
        auto news = makeWindow();
        QSignalSpy loaded(news.get(), &NewsWindow::pageLoaded);
        news->navigate(newsPage);
        finish(m_fetches->back(), false, {});
        QCOMPARE(news->shownText(), NewsWindow::failureText());
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.at(0).at(0).toBool(), false);
    }

    // A game installed without its news module still runs: the window says what is missing.
    void aMissingModuleIsSaidInTheWindowAndLookedForOnce() {
        int looked = 0;
        NewsWindow news({}, nullptr, [&](QString& why) -> std::unique_ptr<PageFetcher> {
            ++looked;
            why = QStringLiteral("quorvel_news.so: cannot open shared object file");
            return nullptr;
        });
        QSignalSpy loaded(&news, &NewsWindow::pageLoaded);
        news.navigate(newsPage);
        QCOMPARE(news.shownText(), NewsWindow::noModuleText());
        QVERIFY(loaded.wait(1000));
        QCOMPARE(loaded.at(0).at(0).toBool(), false);
        news.navigate(newsPage);
        QCOMPARE(looked, 1);
        QCOMPARE(news.shownText(), NewsWindow::noModuleText());
        QVERIFY(loaded.wait(1000));
        QCOMPARE(news.address(), newsPage);
    }

    // A link on the page opens in the player's browser, relative links against the page.
    void linksOpenInTheBrowserResolvedAgainstThePage() {
        auto news = makeWindow();
        news->navigate(newsPage);
        finish(m_fetches->back(), true, "<a href=\"games.htm\">New games</a>");
        auto* browser = news->findChild<QTextBrowser*>(QStringLiteral("news"));
        QVERIFY(browser);
        emit browser->anchorClicked(QUrl(QStringLiteral("games.htm")));
        QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("https://www.quorvel.example/news/games.htm"))});
        QCOMPARE(news->shownText(), QStringLiteral("New games"));
    }
};

QTEST_MAIN(NewsTest)
#include "test_news.moc"
