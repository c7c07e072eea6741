#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/paint_watch.h"

#include <QCoreApplication>

int measureStartup()
{
    BenchGame game;
    bool painted = false;
    new PaintWatch(game.window.controls().titlePicture, [&painted](qint64 ns) {
        if (painted)
            return;
        painted = true;
        reportSample("start-up", double(ns)); // the parent subtracts its own clock at our start
        QCoreApplication::exit(0);
    });
    game.load();
    return QCoreApplication::exec();
}
