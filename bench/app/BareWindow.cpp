// The floor the game's start-up is measured against: a bare Qt window that paints a rectangle,
// reporting as the start-up probe does (bench/app/startup.sh runs both side by side).
#include "support/StartupTrace.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class BareWindow : public QWidget {
public:
    double firstPaintMs = -1;

protected:
    void paintEvent(QPaintEvent*) override {
        if (firstPaintMs < 0)
            firstPaintMs = quorvel::msSinceProcessStart();
        QPainter painter(this);
        painter.fillRect(rect().adjusted(20, 20, -20, -20), Qt::darkGreen);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(400, 300);
    window.show();
    // Peak memory a second after the first paint is near enough, as for the game.
    QTimer::singleShot(1000, &app, [&] { window.close(); });
    app.exec();
    std::printf("bare %.1f %ld\n", window.firstPaintMs, quorvel::peakResidentKb());
    return 0;
}
