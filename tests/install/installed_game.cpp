// Plays the installed game headless, as a player would, for the install test: placed beside the
// installed game, it finds the data and the player's folder as the game does. "play" changes an
// option and abandons a game after a move; "check" starts again and says whether both were kept.
#include "support/Application.h"
#include "support/Dialogs.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "base/ProgramFolder.h"
#include "dialogs/OptionsDialog.h"
#include "window/Session.h"
#include "settings/Settings.h"
#include "audio/SoundPlayer.h"

#include "base/Files.h"
#include "model/Random.h"

#include <QCheckBox>
#include <QTextStream>

namespace {

class SilentDialogs : public Dialogs {
public:
    bool ask(QWidget*, const QString&) override { return false; }
    void warn(QWidget*, const QString& text) override { QTextStream(stderr) << "warning: " << text << '\n'; }
    void inform(QWidget*, const QString&) override {}
};

int fail(const QString& why) {
    QTextStream(stderr) << why << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || (args[1] != "play" && args[1] != "check"))
        return fail(QStringLiteral("usage: installed_game play|check"));
    const quorvel::FileLocations files = Application::fileLocations(Application::programFolder());
    if (!quorvel::isInstalledCopy(files.programFolder()))
        return fail(QStringLiteral("not beside an installed game: ") + Application::programFolder());
    if (!files.keepsPlayerFilesApart())
        return fail(QStringLiteral("an installed game keeps the player's files in its own folder"));

    SilentDialogs dialogs;
    quorvel::Random random(7);
    Settings settings(files);
    SoundPlayer sound(QString::fromStdString(files.programFolder()));
    quorvel::MainWindow window(files, settings, dialogs, random, sound);
    window.createWindows();
    window.show();
    window.session()->startUp();
    auto* timed = window.optionsDialog()->findChild<QCheckBox*>(QStringLiteral("Timed"));
    if (!timed)
        return fail(QStringLiteral("no Timed option"));

    if (args[1] == "play") {
        timed->setChecked(true);
        window.newGame();
        window.game().apply(quorvel::Move::shift(1, true));
        window.solve(); // a game the player acted on and gave up is recorded
        window.close();
        return 0;
    }
    const std::string stats = quorvel::readWholeFile(files.toRead("zq/stats.zq"));
    if (!timed->isChecked())
        return fail(QStringLiteral("the Timed option was not kept"));
    if (stats.find(",Q,") == std::string::npos)
        return fail(QStringLiteral("the abandoned game was not recorded"));
    window.close();
    return 0;
}
