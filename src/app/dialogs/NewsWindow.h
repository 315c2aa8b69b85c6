// The news window: the maker's news page, in Qt WebEngine when the build has it, otherwise in a
// text browser fed by a plain network request.
#pragma once

#include "support/UrlOpener.h"

#include <QDialog>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;
class QTextBrowser;
class QWebEngineView;

class NewsWindow : public QDialog {
    Q_OBJECT
public:
    // Links on the page open in the player's browser through opener.
    explicit NewsWindow(UrlOpener opener, QWidget* parent = nullptr);
    ~NewsWindow() override;

    // Starts loading the page and returns at once; a page still loading is dropped.
    void navigate(const QUrl& address);
    QUrl address() const { return m_address; }

    // What the window shows as plain text (the text browser only; empty with WebEngine).
    QString shownText() const;
    static bool usesWebEngine();

    static const QString& loadingText();
    static const QString& failureText();

    static constexpr int TimeoutMs = 15000;
    static constexpr qint64 MaxPageBytes = 2 * 1024 * 1024;

signals:
    void pageLoaded(bool ok);

private:
    void showPage(QNetworkReply* reply);
    void showFailure();

    UrlOpener m_open;
    QUrl m_address;
#ifdef QUORVEL_WEBENGINE
    QWebEngineView* m_view = nullptr;
#else
    QTextBrowser* m_browser = nullptr;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
#endif
};
