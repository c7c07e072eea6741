#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/frame_watch.h"
#include "bench/samples.h"
#include "bench/widget_watch.h"

#include <QCoreApplication>

#include <cstdio>

int measureStartup()
{
    bool titlePainted = false; // outlives the window that reports to it
    BenchGame game;
    new WidgetWatch(game.window.controls().titlePicture,
                    [&titlePainted](QEvent::Type type, qint64) { titlePainted |= type == QEvent::Paint; });
    new FrameWatch(&game.window, [&titlePainted](qint64 ns) {
        if (!titlePainted) {
            std::fprintf(stderr, "the first frame did not show the title picture\n");
            QCoreApplication::exit(1);
            return;
        }
        reportSample("start-up", double(ns)); // the parent subtracts its own clock at our start
        QCoreApplication::exit(0);
    });
    game.load();
    return QCoreApplication::exec();
}
