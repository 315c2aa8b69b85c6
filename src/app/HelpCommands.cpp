// The Help commands. Their dialogs run modally through the main window's modal runner; only the
// tip shown at start-up stands beside the board.
#include "HelpCommands.h"

#include "AboutBox.h"
#include "MainWindow.h"
#include "NewsWindow.h"
#include "Session.h"
#include "Text.h"
#include "TipDialog.h"
#include "WordPicker.h"

#include "base/WebAddresses.h"
#include "model/LookUp.h"

#include <QAction>

namespace quorvel {

namespace {

} // namespace

HelpCommands::HelpCommands(MainWindow& main)
    : QObject(&main), m_main(main), m_open(desktopUrlOpener()),
      m_newsAddress(encodedUrl(std::string(web::NewsPage))) {
    setObjectName(QStringLiteral("helpCommands"));
    const UrlOpener viaSeam = [this](const QUrl& url) { open(url); };
    m_about = new AboutBox(viaSeam, &main);
    m_news = new NewsWindow(viaSeam, &main);
    m_picker = new WordPicker(&main);
    m_tips = new TipDialog(main.programFolder(), &main);

    connectItem("Contents1", &HelpCommands::howToPlay);
    connectItem("mTip", &HelpCommands::tipOfTheDay);
    connectItem("ByEmail1", &HelpCommands::emailSupport);
    connectItem("WebSite2", &HelpCommands::webSite);
    connectItem("mDictionarySite", &HelpCommands::lookUpWords);
    connectItem("About3", &HelpCommands::about);
    connectItem("FreeWordLists2", &HelpCommands::freeWordLists);
    connectItem("GetNewLayouts", &HelpCommands::newLayouts);
    if (QAction* news = main.action(QStringLiteral("TryOtherGames1")))
        connect(news, &QAction::triggered, this, [this] {
            if (m_main.session())
                m_main.session()->newsCommand(); // asks first, then showNews on Yes
        });
}

void HelpCommands::connectItem(const char* name, void (HelpCommands::*command)()) {
    if (QAction* item = m_main.action(QLatin1String(name)))
        connect(item, &QAction::triggered, this, command);
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
    // The board keeps the keyboard: F2 starts a game even while the tip is up.
    m_tips->setAttribute(Qt::WA_ShowWithoutActivating, true);
    m_tips->show();
    m_tips->raise();
    m_tips->setAttribute(Qt::WA_ShowWithoutActivating, false);
    m_main.activateWindow(); // where the platform activates every new window regardless
}

void HelpCommands::emailSupport() {
    const QString subject = m_main.windowTitle() + QStringLiteral(" support, feedback, etc.");
    open(web::supportMailTo(toCp1252(subject)));
}

void HelpCommands::showNews() {
    m_news->navigate(m_newsAddress);
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
    m_main.runModal(*m_about);
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
    m_picker->setWords(words, [&game](const QString& word) {
        return fromCp1252(definitionOf(game.state().board, game.dictionary(), toCp1252(word)));
    });
    m_picker->move(m_main.geometry().center() - m_picker->rect().center());
    m_main.runModal(*m_picker);
    if (!m_picker->selectedWord().isEmpty())
        lookUpWord(m_picker->selectedWord());
}

} // namespace quorvel
