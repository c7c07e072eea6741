#pragma once

#include <QList>
#include <QString>

#include <functional>

// A measuring process of the benchmark: the benchmark itself, given as its
// argument the first figure the process measures. It prints its samples on
// stdout (bench/measuring.h) and exits with status 0 once done.
struct Measure {
    QString figure;
    std::function<int()> run; // in the process, under a GameApplication; the exit status
    int processes = 1; // one after the other
    bool withFloor = false; // the floor program runs in turn with each
    bool throughServer = false; // needs the sound server scripts/bench starts
};

// Every measuring process the benchmark runs, in order.
[[nodiscard]] const QList<Measure>& measures();
