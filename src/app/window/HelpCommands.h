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
    // Connects the main window's menu items; the dialogs become children of the main window.
    explicit HelpCommands(MainWindow& main);

    // Everything this opens goes through the opener; the desktop's by default.
    void setUrlOpener(UrlOpener opener) { m_open = std::move(opener); }
    // The news page the news window loads (the maker's; tests point it elsewhere).
    void setNewsAddress(const QUrl& address) { m_newsAddress = address; }

    void howToPlay();      // zq/zq.htm in the player's browser
    void tipOfTheDay();    // the next tip, modally; nothing when the tip file cannot be read
    // Start-up with "Show Tips at Startup" checked: the tip stands beside the board without
    // holding it up, so neither the player nor anything else that starts the game must dismiss it.
    void tipAtStartUp();
    void emailSupport();   // a mail to support, its subject naming the game
    void showNews();       // after Yes to the news question
    void webSite();        // the maker's home page
    void lookUpWords();    // the online dictionary item
    void lookUpWord(const QString& word); // the word's dictionary page, or its home page
    void about();          // the About box, modally
    void freeWordLists();  // the page of word lists to download
    void newLayouts();     // the page of layouts to download

    TipDialog* tipDialog() const { return m_tips; }
    // The news window, the About box and the word picker are made when first asked for: the
    // first paint does not wait for them.
    NewsWindow* newsWindow();
    AboutBox* aboutBox();
    WordPicker* wordPicker();

private:
    void placeTipBesideTheBoard();
    void open(const QUrl& url);
    void open(std::string_view address);
    UrlOpener viaSeam(); // opens through m_open, whatever it is by then

    MainWindow& m_main;
    UrlOpener m_open;
    QUrl m_newsAddress;
    TipDialog* m_tips = nullptr;
    NewsWindow* m_news = nullptr;
    AboutBox* m_about = nullptr;
    WordPicker* m_picker = nullptr;
};

} // namespace quorvel
