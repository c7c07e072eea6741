// The benchmark. Without arguments it runs every measuring process in turn
// (bench/figures.h), itself given a figure's name or the floor program
// (bench/floor.cpp), gathers the samples each prints, and reports every
// figure against its goal: a table on stdout, and the same as JSON in
// bench.json beside the program. With a figure's name it is one of those
// processes.
//
// The figures through a sound server need the server scripts/bench starts:
// PULSE_SERVER names its socket and POKORI_SERVER_LOG its log; without them
// they are skipped. The web page's figures need the page's folder, which
// POKORI_WEB_PAGE names (scripts/bench builds it), and are measured in
// Chromium by web_figures.py, a child like the others.
#include "app/game_application.h"
#include "bench/figures.h"
#include "bench/measuring.h"
#include "media/audio_device.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtMath>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kStartupRatio = 1.3;
// What the game may hold beyond the floor, less its pictures and sounds.
constexpr double kMemoryBeyondMiB = 5;
// How far past one buffer and the server's latency a press may be heard.
constexpr double kServerSlack = 1.5;
constexpr double kBufferMs = 1000.0 * AudioDevice::kBufferFrames / AudioDevice::kFrequency;

using Samples = QHash<QString, QList<double>>;

// Runs one measuring program to its end and adds the samples it printed;
// false if it failed. A start-up sample, the steady clock at the program's
// first frame, becomes the ms since the program was started.
bool runChild(const QString& program, const QStringList& arguments, Samples& samples)
{
    QProcess child; // its stderr shown only when it fails: SDL's disk driver is chatty
    const qint64 started = steadyNs();
    child.start(program, arguments);
    if (!child.waitForFinished(5 * 60 * 1000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "%s\npokori-bench: %s %s failed\n", child.readAllStandardError().constData(),
                     qPrintable(program), qPrintable(arguments.join(u' ')));
        return false;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 2)
            continue;
        const QString figure = QString::fromUtf8(fields[0]);
        const double value = fields[1].toDouble();
        samples[figure].append(figure.startsWith(u"start-up") ? (value - double(started)) / 1e6 : value);
    }
    return true;
}

// What the report shows of a figure's samples, by nearest rank; with no
// samples every value is NaN, so that no goal is met.
struct Summary {
    qsizetype n = 0;
    double median = qQNaN();
    double p95 = qQNaN();
    double max = qQNaN();
    double min = qQNaN();
};

Summary summarize(QList<double> samples)
{
    if (samples.isEmpty())
        return {};
    std::ranges::sort(samples);
    const auto rank = [&](double fraction) { return samples[qCeil(fraction * double(samples.size())) - 1]; };
    return {samples.size(), rank(0.5), rank(0.95), samples.last(), samples.first()};
}

// A row of the report: its cells in the report's columns.
const QStringList kColumns{"figure", "unit", "n", "median", "p95", "max", "min", "goal", "met"};
using Row = QVariantList;

using Goal = std::function<bool(const Summary&)>;

// Each figure against its goal. The floor's figures, the pictures and
// sounds held and the server's latency have none of their own: the goals
// of others are set by them.
QList<Row> judge(const Samples& samples, bool withServer, bool withPage)
{
    QList<Row> rows;
    const auto add = [&rows](const QString& figure, const char* unit, const Summary& s, const QString& goal,
                             const Goal& met, bool skipped = false) {
        const char* verdict = skipped ? "skipped" : !met ? "-" : met(s) ? "yes" : "NO";
        rows.append({figure, unit, s.n, s.median, s.p95, s.max, s.min, goal, verdict});
        return s;
    };
    const auto measured
        = [&](const QString& figure, const char* unit, const QString& goal, const Goal& met, bool skipped = false) {
              return add(figure, unit, summarize(samples.value(figure)), goal, met, skipped);
          };
    const auto derived
        = [&](const QString& figure, const char* unit, double value, const QString& goal, const Goal& met) {
              add(figure, unit, {1, value, value, value, value}, goal, met);
          };
    const auto medianAtMost = [](double bound) { return [bound](const Summary& s) { return s.median <= bound; }; };

    const Summary startup = measured("start-up", "ms", "median <= 150", medianAtMost(150));
    const Summary startupFloor = measured("start-up floor", "ms", "the floor program's", {});
    derived("start-up / floor", "x", startup.median / startupFloor.median,
            QStringLiteral("medians' ratio <= %1").arg(kStartupRatio), medianAtMost(kStartupRatio));
    measured("press to picture", "ms", "p95 <= 2", [](const Summary& s) { return s.p95 <= 2; });
    measured("press to mixer", "ms", QStringLiteral("median <= %1").arg(kBufferMs, 0, 'f', 1), medianAtMost(kBufferMs));
    measured("prompt timing", "ms", "|error| median <= 1, max <= 5",
             [](const Summary& s) { return s.median <= 1 && s.max <= 5; });
    measured("flash", "ms", "298 .. 302", [](const Summary& s) { return s.min >= 298 && s.max <= 302; });
    measured("music restart", "ms", QStringLiteral("|error| max <= %1").arg(kBufferMs, 0, 'f', 1),
             [](const Summary& s) { return s.max <= kBufferMs; });
    const Summary memory = measured("memory", "MiB", "max <= 60", [](const Summary& s) { return s.max <= 60; });
    const Summary memoryFloor = measured("memory floor", "MiB", "the floor program's", {});
    const Summary held = measured("pictures and sounds held", "MiB", "the game's, decoded", {});
    derived("memory - floor - held", "MiB", memory.median - memoryFloor.median - held.median,
            QStringLiteral("medians' difference <= %1").arg(kMemoryBeyondMiB), medianAtMost(kMemoryBeyondMiB));
    measured("idle CPU", "%", "median <= 2", medianAtMost(2));
    for (const int frames : kServerBuffers) {
        const double bufferMs = 1000.0 * frames / AudioDevice::kFrequency;
        const Summary latency = summarize(samples.value(serverFigure("server latency", frames)));
        const double bound = kServerSlack * (bufferMs + latency.median);
        measured(serverFigure("press to server", frames), "ms",
                 QStringLiteral("median <= %1 x (%2 + latency) = %3")
                     .arg(kServerSlack)
                     .arg(bufferMs, 0, 'f', 1)
                     .arg(bound, 0, 'f', 1),
                 medianAtMost(bound), !withServer);
        add(serverFigure("server latency", frames), "ms", latency, "the server's, for the game's stream", {},
            !withServer);
        measured(
            serverFigure("underruns", frames), "count", "0 in a heavy round",
            [](const Summary& s) { return s.max == 0; }, !withServer);
    }
    measured("web first visit", "ms", "the page's, to its title drawn", {}, !withPage);
    measured("web first visit bytes", "KiB", "median <= 4096", medianAtMost(4096), !withPage);
    measured("web second visit bytes", "KiB", "nothing but the page: median <= 16", medianAtMost(16), !withPage);
    measured("web press to picture", "ms", "median <= one frame, 16.7", medianAtMost(16.7), !withPage);
    measured("web press to sound", "ms", "the page's, through Web Audio", {}, !withPage);
    measured("web memory", "MiB", "the browser's, after a whole round", {}, !withPage);
    return rows;
}

// A plain-text table: one row a figure, numbers to two decimals.
QString table(const QList<Row>& rows)
{
    static const int widths[] = {-24, -5, 5, 9, 9, 9, 9, -45, 0}; // negative: left-aligned
    const auto line = [](const QVariantList& values) {
        QString text;
        for (int i = 0; i < values.size(); ++i) {
            const QVariant& v = values[i];
            const QString cell = v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'f', 2) : v.toString();
            text += QStringLiteral("%1 ").arg(cell, widths[i]);
        }
        return text.trimmed() + u'\n';
    };
    QString text = line(QVariantList(kColumns.begin(), kColumns.end()));
    for (const Row& row : rows)
        text += line(row);
    return text;
}

QByteArray json(const QList<Row>& rows)
{
    QJsonArray figures;
    for (const Row& row : rows) {
        QJsonObject figure;
        for (int i = 0; i < kColumns.size(); ++i)
            figure.insert(kColumns[i], QJsonValue::fromVariant(row[i]));
        figures.append(figure);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("figures"), figures}}).toJson();
}

} // namespace

int main(int argc, char** argv)
{
    for (const Measure& measure : measures()) {
        if (argc == 2 && measure.figure == QLatin1String(argv[1])) {
            GameApplication app(argc, argv);
            return measure.run();
        }
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: pokori-bench\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    const bool withServer = !qEnvironmentVariableIsEmpty("POKORI_SERVER_LOG");
    if (!withServer)
        std::fprintf(stderr, "pokori-bench: no sound server (scripts/bench starts one): its figures are skipped\n");

    Samples samples;
    bool ok = true;
    const QString floor = QCoreApplication::applicationDirPath() + QStringLiteral("/pokori-floor");
    for (const Measure& measure : measures()) {
        if (measure.throughServer && !withServer)
            continue;
        std::fprintf(stderr, "pokori-bench: %s\n", qPrintable(measure.figure));
        for (int i = 0; i < measure.processes; ++i) {
            ok &= runChild(QCoreApplication::applicationFilePath(), {measure.figure}, samples);
            if (measure.withFloor)
                ok &= runChild(floor, {}, samples);
        }
    }
    const QString page = qEnvironmentVariable("POKORI_WEB_PAGE");
    if (page.isEmpty()) {
        std::fprintf(stderr, "pokori-bench: no web page (scripts/bench builds one): its figures are skipped\n");
    } else {
        std::fprintf(stderr, "pokori-bench: the web page\n");
        ok &= runChild(QStringLiteral("/usr/bin/python3"), {QStringLiteral(POKORI_WEB_FIGURES), page}, samples);
    }
    const QList<Row> rows = judge(samples, withServer, !page.isEmpty());
    std::fputs(qPrintable(table(rows)), stdout);
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/bench.json"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(json(rows)) < 0) {
        std::fprintf(stderr, "pokori-bench: cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return ok ? 0 : 1;
}
