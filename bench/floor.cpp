// The floor: only what any game on this stack must do before it is seen,
// measured like the game so that the benchmark can set one against the
// other. It makes the Qt application in the game's style, opens SDL audio as
// the game does and shows one window of the game's size with one Japanese
// caption in the game's font: the font database, the fallback faces and the
// shaping that any program showing Japanese text pays for. Once that first
// frame is drawn it reports the steady clock ("start-up floor") and its peak
// memory ("memory floor"), and quits.
#include "bench/measuring.h"
#include "desktop/game_application.h"
#include "desktop/game_font.h"
#include "desktop/game_window.h"
#include "game/game_info.h"
#include "media/audio_device.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(kGameStyle);
    const AudioDevice audio(kSoundCount);
    QWidget window;
    window.setFixedSize(kWindowWidth, kWindowHeight);
    auto* caption = new QLabel(QString::fromUtf8(kGameTitle), &window);
    caption->setFont(gameFont(QApplication::font().pointSizeF())); // the game's face at the desktop's size
    window.show();
    whenFirstFrameDrawn(&window, [] {
        reportSample(QStringLiteral("start-up floor"), double(steadyNs()));
        reportSample(QStringLiteral("memory floor"), peakResidentMiB());
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
