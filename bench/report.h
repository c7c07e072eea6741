#pragma once

#include "bench/summary.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Where a figure stands against its goal. A reference figure has none: it
// is there for another figure's goal.
enum class Verdict { Met, Missed, Skipped, Reference };

struct FigureResult {
    QString name;
    QString unit;
    Summary summary;
    QString goal;
    Verdict verdict;
};

// The results as a plain-text table, one figure a row.
[[nodiscard]] QString resultTable(const QList<FigureResult>& results);

// The same as JSON: a list of figures with their summary, goal and verdict.
[[nodiscard]] QByteArray resultJson(const QList<FigureResult>& results);
