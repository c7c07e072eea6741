#pragma once

#include "bench/summary.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct FigureResult {
    QString name;
    QString unit;
    QString goal;
    Summary summary;
    bool met = false;
};

// The results as a plain-text table, one figure a row.
[[nodiscard]] QString resultTable(const QList<FigureResult>& results);

// The same as JSON: a list of figures with their summary and goal.
[[nodiscard]] QByteArray resultJson(const QList<FigureResult>& results);
