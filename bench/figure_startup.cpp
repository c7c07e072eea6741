#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/samples.h"
#include "bench/widget_watch.h"

#include <QCoreApplication>

#include <utility>

int measureStartup()
{
    BenchGame game;
    new WidgetWatch(game.window.controls().titlePicture, [painted = false](QEvent::Type type, qint64 ns) mutable {
        if (type != QEvent::Paint || std::exchange(painted, true))
            return;
        reportSample("start-up", double(ns)); // the parent subtracts its own clock at our start
        QCoreApplication::exit(0);
    });
    game.load();
    return QCoreApplication::exec();
}
