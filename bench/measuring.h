#pragma once

#include <QString>

#include <functional>

class QWidget;

// What every measuring program (the benchmark itself as a child, the floor
// program) needs to hand its samples to the benchmark, which reads them on
// its stdout, one a line: "figure<TAB>value". A start-up figure's value is
// the steady clock at the program's first frame; the benchmark turns it into
// the time since it started the program.

// The steady clock in ns, the same in every process on the machine.
[[nodiscard]] qint64 steadyNs();

// The process's peak resident size so far, in MiB.
[[nodiscard]] double peakResidentMiB();

void reportSample(const QString& figure, double value);

// Calls shown() once a window, just shown, has drawn its first frame in
// full: every widget in it painted and the frame handed to the screen, the
// moment the player first sees what it shows.
void whenFirstFrameDrawn(QWidget* window, std::function<void()> shown);
