#include "bench/report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

double rank(const std::vector<double>& sorted, double fraction)
{
    const auto index = static_cast<std::size_t>(std::ceil(fraction * double(sorted.size()))) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

const char* const kVerdicts[] = {"yes", "NO", "skipped", "-"};

// The cells of one row, each padded to its column's width (left-aligned
// where the width is negative).
QString row(const QStringList& cells)
{
    static const int widths[] = {-20, -5, 5, 9, 9, 9, 9, -40, 0};
    QString line;
    for (int i = 0; i < cells.size(); ++i)
        line += QStringLiteral("%1 ").arg(cells[i], widths[i]);
    return line.trimmed() + QLatin1Char('\n');
}

} // namespace

Summary summarize(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    return {static_cast<int>(samples.size()), rank(samples, 0.5), rank(samples, 0.95), samples.back(), samples.front()};
}

QString resultTable(const QList<FigureResult>& results)
{
    QString table = row({QStringLiteral("figure"), QStringLiteral("unit"), QStringLiteral("n"),
                         QStringLiteral("median"), QStringLiteral("p95"), QStringLiteral("max"), QStringLiteral("min"),
                         QStringLiteral("goal"), QStringLiteral("met")});
    for (const FigureResult& r : results) {
        const Summary& s = r.summary;
        QStringList cells{r.name, r.unit, QString::number(s.count)};
        for (const double value : {s.median, s.p95, s.max, s.min})
            cells.append(QString::number(value, 'f', 2));
        table += row(cells << r.goal << QLatin1String(kVerdicts[int(r.verdict)]));
    }
    return table;
}

QByteArray resultJson(const QList<FigureResult>& results)
{
    const char* const verdicts[] = {"met", "missed", "skipped", "reference"};
    QJsonArray figures;
    for (const FigureResult& r : results) {
        figures.append(QJsonObject{{QStringLiteral("figure"), r.name},
                                   {QStringLiteral("unit"), r.unit},
                                   {QStringLiteral("count"), r.summary.count},
                                   {QStringLiteral("median"), r.summary.median},
                                   {QStringLiteral("p95"), r.summary.p95},
                                   {QStringLiteral("max"), r.summary.max},
                                   {QStringLiteral("min"), r.summary.min},
                                   {QStringLiteral("goal"), r.goal},
                                   {QStringLiteral("verdict"), QLatin1String(verdicts[int(r.verdict)])}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("figures"), figures}}).toJson();
}
