// One game in a throw-away copy of the shipped program folder, for tests that play a level
// two ways and compare the boards.
#pragma once

#include "CopyTree.h"
#include "audio/SoundPlayer.h"
#include "board/BoardView.h"
#include "settings/Settings.h"
#include "support/Dialogs.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "window/Session.h"

#include "model/Random.h"

#include <QLabel>
#include <QTemporaryDir>

#include <memory>

namespace twin {

using namespace quorvel;

class QuietDialogs : public Dialogs {
public:
    bool ask(QWidget*, const QString&) override { return false; }
    void warn(QWidget*, const QString&) override {}
    void inform(QWidget*, const QString&) override {}
};

// One game in a throw-away copy of the shipped program folder.
struct Twin {
    explicit Twin(std::uint32_t seed) : random(seed) {
        const QString shipped = QStringLiteral(QUORVEL_PROGRAM_DIR);
        const QString folder = dir.path() + QLatin1Char('/');
        for (const QLatin1String data : {QLatin1String("zq/"), QLatin1String("kbs/")})
            copyTree(shipped + data, folder + data);
        settings = std::make_unique<Settings>(folder);
        sound = std::make_unique<SoundPlayer>(folder);
        window = std::make_unique<MainWindow>(FileLocations(folder.toStdString()), *settings,
                                              dialogs, random, *sound);
        window->createWindows();
        window->show();
        window->session()->startUp();
        window->newGame();
    }
    BoardView* board() const { return window->boardView(); }
    const Board& model() const { return window->game().state().board; }
    // The board as text: each tile's letter and state, so two games compare at a glance.
    QString picture() const {
        QString text;
        for (int tile = 1; tile <= model().tileCount; ++tile)
            text += QString(QLatin1Char(model().tile(tile).caption)) +
                    QLatin1Char(stateLetter(model().tile(tile)));
        return text + QLatin1Char('|') + window->findChild<QLabel*>(QStringLiteral("Counter"))->text();
    }

    QTemporaryDir dir;
    QuietDialogs dialogs;
    Random random;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<MainWindow> window;
};

} // namespace twin

using twin::QuietDialogs;
using twin::Twin;
