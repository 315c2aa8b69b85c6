// The Help commands. Their dialogs run modally through the main window's modal runner; only the
// tip shown at start-up stands beside the board.
#include "window/HelpCommands.h"

#include "support/DialogFrame.h"

#include "dialogs/AboutBox.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "dialogs/NewsWindow.h"
#include "window/Session.h"
#include "support/Text.h"
#include "dialogs/TipDialog.h"
#include "dialogs/WordPicker.h"
#include "window/WindowPlacement.h"

#include "base/WebAddresses.h"
#include "model/LookUp.h"

#include <QAccessible>
#include <QAction>
#include <QMenuBar>
#include <QScreen>

namespace quorvel {

HelpCommands::HelpCommands(MainWindow& main)
    : QObject(&main), m_main(main), m_open(desktopUrlOpener()),
      m_newsAddress(encodedUrl(std::string(web::NewsPage))) {
    setObjectName(QStringLiteral("helpCommands"));
    m_tips = new TipDialog(main.programFolder(), &main);

    const MainWindow::MenuItems& items = main.menuItems();
    connect(items.howToPlay, &QAction::triggered, this, &HelpCommands::howToPlay);
    connect(items.tipOfTheDay, &QAction::triggered, this, &HelpCommands::tipOfTheDay);
    connect(items.emailSupport, &QAction::triggered, this, &HelpCommands::emailSupport);
    connect(items.webSite, &QAction::triggered, this, &HelpCommands::webSite);
    connect(items.dictionarySite, &QAction::triggered, this, &HelpCommands::lookUpWords);
    connect(items.about, &QAction::triggered, this, &HelpCommands::about);
    connect(items.freeWordLists, &QAction::triggered, this, &HelpCommands::freeWordLists);
    connect(items.newLayouts, &QAction::triggered, this, &HelpCommands::newLayouts);
    connect(items.news, &QAction::triggered, this, [this] {
        if (m_main.session())
            m_main.session()->newsCommand(); // asks first, then showNews on Yes
    });
}

UrlOpener HelpCommands::viaSeam() {
    return [this](const QUrl& url) { open(url); };
}

NewsWindow* HelpCommands::newsWindow() {
    if (!m_news) {
        m_news = new NewsWindow(viaSeam(), &m_main);
        frameAsDialog(m_news);
    }
    return m_news;
}

AboutBox* HelpCommands::aboutBox() {
    if (!m_about) {
        m_about = new AboutBox(viaSeam(), &m_main);
        frameAsDialog(m_about);
    }
    return m_about;
}

WordPicker* HelpCommands::wordPicker() {
    if (!m_picker) {
        m_picker = new WordPicker(&m_main);
        frameAsDialog(m_picker);
    }
    return m_picker;
}

void HelpCommands::open(const QUrl& url) {
    if (m_open)
        m_open(url);
}

void HelpCommands::open(std::string_view address) {
    open(encodedUrl(std::string(address)));
}

void HelpCommands::howToPlay() {
    open(QUrl::fromLocalFile(m_main.programFolder() + QStringLiteral("zq/zq.htm")));
}

void HelpCommands::tipOfTheDay() {
    if (m_tips->advance())
        m_main.runModal(*m_tips);
    else
        m_tips->hide(); // no tip file: the dialog closes
}

void HelpCommands::tipAtStartUp() {
    if (!m_tips->advance())
        return;
    placeTipBesideTheBoard();
    // The board keeps the keyboard: F2 starts a game even while the tip is up. A player with
    // a screen reader would not know the tip is there, so it takes the focus for them.
    if (QAccessible::isActive()) {
        m_tips->show();
        m_tips->raise();
        m_tips->activateWindow();
        return;
    }
    m_tips->setAttribute(Qt::WA_ShowWithoutActivating, true);
    m_tips->show();
    m_tips->raise();
    m_tips->setAttribute(Qt::WA_ShowWithoutActivating, false);
    m_main.activateWindow(); // where the platform activates every new window regardless
}

// Left to itself the tip is centred over the main window, which on a first start is smaller
// than the tip: it covered the title and menu bar.
void HelpCommands::placeTipBesideTheBoard() {
    const QScreen* screen = m_main.screen();
    if (!screen)
        return;
    const int belowMenu =
        m_main.mapToGlobal(QPoint(0, m_main.menuBar()->geometry().bottom() + 1)).y();
    m_tips->adjustSize();
    m_tips->move(besideOrBelowMenu(m_main.frameGeometry(), belowMenu,
                                   m_tips->frameGeometry().size(), screen->availableGeometry()));
}

void HelpCommands::emailSupport() {
    const QString subject = m_main.windowTitle() + QStringLiteral(" support, feedback, etc.");
    open(web::supportMailTo(toCp1252(subject)));
}

void HelpCommands::showNews() {
    newsWindow()->navigate(m_newsAddress);
    m_main.runModal(*m_news);
}

void HelpCommands::webSite() {
    open(web::Site);
}

void HelpCommands::freeWordLists() {
    open(web::FreeWordListsPage);
}

void HelpCommands::newLayouts() {
    open(web::NewLayoutsPage);
}

void HelpCommands::about() {
    m_main.runModal(*aboutBox());
}

void HelpCommands::lookUpWord(const QString& word) {
    open(web::dictionaryPage(toCp1252(word)));
}

void HelpCommands::lookUpWords() {
    Game& game = m_main.game();
    QStringList words;
    for (const std::string& word : solvedWords(game.state().board))
        words << fromCp1252(word);
    if (words.size() <= 1) {
        lookUpWord(words.value(0)); // one word opens at once; none opens the home page
        return;
    }
    wordPicker()->setWords(words, [&game](const QString& word) {
        return fromCp1252(definitionOf(game.state().board, game.dictionary(), toCp1252(word)));
    });
    m_picker->move(m_main.geometry().center() - m_picker->rect().center());
    m_main.runModal(*m_picker);
    if (!m_picker->selectedWord().isEmpty())
        lookUpWord(m_picker->selectedWord());
}

} // namespace quorvel
