// The Help menu's commands and the File menu's two download pages: tips, How to Play, news,
// about, e-mail, web site and the word look-up, with the dialogs they show.
#pragma once

#include "support/UrlOpener.h"

#include <QObject>
#include <QUrl>

class AboutBox;
class NewsWindow;
class TipDialog;
class WordPicker;

namespace quorvel {

class MainWindow;

class HelpCommands : public QObject {
    Q_OBJECT
public:
    // Creates the dialogs as children of the main window and connects its menu items.
    explicit HelpCommands(MainWindow& main);

    // Everything this opens goes through the opener; the desktop's by default.
    void setUrlOpener(UrlOpener opener) { m_open = std::move(opener); }
    // The news page the news window loads (the maker's; tests point it elsewhere).
    void setNewsAddress(const QUrl& address) { m_newsAddress = address; }

    void howToPlay();      // Contents1Click: zq/zq.htm in the player's browser
    void tipOfTheDay();    // mTipClick
    // Start-up with "Show Tips at Startup" checked: the tip stands beside the board without
    // holding it up, so neither the player nor anything else that starts the game must dismiss it.
    void tipAtStartUp();
    void emailSupport();   // ByEmail1Click
    void showNews();       // after Yes to the news question
    void webSite();        // WebSite2Click
    void lookUpWords();    // the online dictionary item
    void lookUpWord(const QString& word); // LookUpWord: the word's page, or the home page
    void about();          // About2Click
    void freeWordLists();  // FreeWordLists2Click
    void newLayouts();     // GetNewLayoutsClick

    TipDialog* tipDialog() const { return m_tips; }
    NewsWindow* newsWindow() const { return m_news; }
    AboutBox* aboutBox() const { return m_about; }
    WordPicker* wordPicker() const { return m_picker; }

private:
    void placeTipBesideTheBoard();
    void open(const QUrl& url);
    void open(std::string_view address);

    MainWindow& m_main;
    UrlOpener m_open;
    QUrl m_newsAddress;
    TipDialog* m_tips = nullptr;
    NewsWindow* m_news = nullptr;
    AboutBox* m_about = nullptr;
    WordPicker* m_picker = nullptr;
};

} // namespace quorvel
