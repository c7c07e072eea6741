#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

// What the table shows of one figure's samples.
struct Summary {
    int count = 0;
    double median = 0;
    double p95 = 0;
    double max = 0;
    double min = 0;
};

// Median and 95th percentile by nearest rank; all zero for no samples.
[[nodiscard]] Summary summarize(std::vector<double> samples);

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
