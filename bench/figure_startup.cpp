#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/frame_watch.h"
#include "bench/samples.h"

#include <QCoreApplication>

int measureStartup()
{
    BenchGame game;
    new FrameWatch(&game.window, game.window.controls().titlePicture, [](qint64 ns) {
        reportSample("start-up", double(ns)); // the parent subtracts its own clock at our start
        QCoreApplication::exit(0);
    });
    game.load();
    return QCoreApplication::exec();
}
