// The floor: only what any game on this stack must do before it is seen,
// measured like the game so that the benchmark can set one against the
// other. It makes the Qt application, opens SDL audio as the game does and
// shows one empty window of the game's size; at its first paint it reports
// the steady clock ("start-up floor") and its peak memory ("memory floor"),
// and quits.
#include "app/game_window.h"
#include "bench/samples.h"
#include "bench/widget_watch.h"
#include "media/audio_device.h"

#include <QApplication>
#include <QWidget>

#include <utility>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const AudioDevice audio(kSoundCount);
    QWidget window;
    window.setFixedSize(GameWindow::kClientSize);
    new WidgetWatch(&window, [painted = false](QEvent::Type type, qint64 ns) mutable {
        if (type != QEvent::Paint || std::exchange(painted, true))
            return;
        reportSample("start-up floor", double(ns));
        reportSample("memory floor", peakResidentMiB());
        QCoreApplication::exit(0);
    });
    window.show();
    return QApplication::exec();
}
