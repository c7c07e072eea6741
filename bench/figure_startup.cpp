#include "bench_game.h"
#include "figures.h"
#include "paint_watch.h"
#include "picture_box.h"

#include <QCoreApplication>

int measureStartup()
{
    BenchGame game;
    bool painted = false;
    new PaintWatch(game.fom.controls().ImgStt, [&painted](qint64 ns) {
        if (painted)
            return;
        painted = true;
        reportSample("start-up", double(ns)); // the parent subtracts its own clock at our start
        QCoreApplication::exit(0);
    });
    game.load();
    return QCoreApplication::exec();
}
