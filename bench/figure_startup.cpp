#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/paint_watch.h"
#include "bench/samples.h"

#include <QCoreApplication>

#include <utility>

int measureStartup()
{
    BenchGame game;
    new PaintWatch(game.window.controls().titlePicture, [painted = false](qint64 ns) mutable {
        if (std::exchange(painted, true))
            return;
        reportSample("start-up", double(ns)); // the parent subtracts its own clock at our start
        QCoreApplication::exit(0);
    });
    game.load();
    return QCoreApplication::exec();
}
