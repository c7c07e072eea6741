#include "bench/report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString cell(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

QString resultTable(const QList<FigureResult>& results)
{
    const QString row = QStringLiteral("%1 %2 %3 %4 %5 %6 %7  %8 %9\n");
    QString table = row.arg(QStringLiteral("figure"), -17)
                        .arg(QStringLiteral("unit"), -5)
                        .arg(QStringLiteral("n"), 5)
                        .arg(QStringLiteral("median"), 9)
                        .arg(QStringLiteral("p95"), 9)
                        .arg(QStringLiteral("max"), 9)
                        .arg(QStringLiteral("min"), 9)
                        .arg(QStringLiteral("goal"), -28)
                        .arg(QStringLiteral("met"));
    for (const FigureResult& r : results) {
        const Summary& s = r.summary;
        table += row.arg(r.name, -17)
                     .arg(r.unit, -5)
                     .arg(s.count, 5)
                     .arg(cell(s.median), 9)
                     .arg(cell(s.p95), 9)
                     .arg(cell(s.max), 9)
                     .arg(cell(s.min), 9)
                     .arg(r.goal, -28)
                     .arg(r.met ? QStringLiteral("yes") : QStringLiteral("NO"));
    }
    return table;
}

QByteArray resultJson(const QList<FigureResult>& results)
{
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
                                   {QStringLiteral("met"), r.met}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("figures"), figures}}).toJson();
}
