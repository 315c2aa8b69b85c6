// Plays the installed game's program folder headless, as a player would, for the install test:
// "play" changes an option and abandons a game after a move; "check" starts again and says
// whether both were kept.
#include "Application.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "OptionsDialog.h"
#include "Session.h"
#include "Settings.h"
#include "base/ProgramFolder.h"

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
    if (args.size() != 3 || (args[1] != "play" && args[1] != "check"))
        return fail(QStringLiteral("usage: installed_game play|check PROGRAM_FOLDER"));
    const quorvel::FileLocations files =
        Application::fileLocations(QString::fromStdString(quorvel::programFolder(args[2].toStdString())));
    if (!files.keepsPlayerFilesApart())
        return fail(QStringLiteral("the program folder is writable: nothing to test"));

    SilentDialogs dialogs;
    quorvel::Random random(7);
    Settings settings(files);
    quorvel::MainWindow window(files, settings, dialogs, random);
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
