// The benchmark. Without arguments it runs every measuring process in turn
// (bench/figures.h), itself given a figure's name or the floor program
// (bench/floor.cpp), gathers the samples each prints, counts the
// instructions of start-up under callgrind, and prints every figure against
// its goal. With a figure's name it is one of those processes.
//
// Press to server needs the sound server scripts/bench starts, which
// PULSE_SERVER names. The web page's figures need the page's folder, which
// POKORI_WEB_PAGE names (scripts/bench builds it), and are measured in
// Chromium by web_figures.py, a child like the others. Without them those
// figures are skipped.
#include "bench/figures.h"
#include "bench/measuring.h"
#include "desktop/game_application.h"
#include "media/audio_device.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Callgrind counts the same on a busy machine as on a quiet one, so a few
// counts of each start-up are enough.
constexpr int kCountedStartups = 3;
constexpr double kStartupRatio = 1.3;
// What the game may hold beyond the floor, less its pictures and sounds.
constexpr double kMemoryBeyondMiB = 5;
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

// Runs a measuring program under callgrind and adds, under figure, the
// instructions it ran to its first frame, in millions: callgrind writes out
// its count just before the program reports its first sample, then.
bool countStartup(const QString& figure, const QStringList& command, Samples& samples)
{
    const QTemporaryDir dir;
    const QString counts = dir.filePath(QStringLiteral("callgrind"));
    Samples slowed; // its timings under callgrind tell nothing
    if (!runChild(QStringLiteral("valgrind"),
                  QStringList{QStringLiteral("--tool=callgrind"), QStringLiteral("--dump-before=reportSample*"),
                              QStringLiteral("--callgrind-out-file=") + counts}
                      + command,
                  slowed))
        return false;
    QFile firstDump(counts + QStringLiteral(".1"));
    if (!firstDump.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : firstDump.readAll().split('\n')) {
        if (line.startsWith("totals:"))
            samples[figure].append(line.mid(7).trimmed().toDouble() / 1e6);
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

using Goal = std::function<bool(const Summary&)>;

// Prints each figure against its goal, numbers to two decimals. The floor's
// figures and the pictures and sounds held have none of their own: the
// goals of others are set by them.
void report(const Samples& samples, bool withServer, bool withPage)
{
    std::printf("%-29s %-6s %5s %9s %9s %9s %9s %-40s %s\n", "figure", "unit", "n", "median", "p95", "max", "min",
                "goal", "met");
    const auto add = [](const QString& figure, const char* unit, const Summary& s, const QString& goal, const Goal& met,
                        bool skipped = false) {
        const char* verdict = skipped ? "skipped" : !met ? "-" : met(s) ? "yes" : "NO";
        std::printf("%-29s %-6s %5lld %9.2f %9.2f %9.2f %9.2f %-40s %s\n", qPrintable(figure), unit, qint64(s.n),
                    s.median, s.p95, s.max, s.min, qPrintable(goal), verdict);
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

    const Summary counted = measured("start-up instructions", "Minstr", "the game's, to its first frame", {});
    const Summary countedFloor = measured("start-up instructions floor", "Minstr", "the floor program's", {});
    derived("start-up instructions / floor", "x", counted.median / countedFloor.median,
            QStringLiteral("medians' ratio <= %1").arg(kStartupRatio), medianAtMost(kStartupRatio));
    measured("start-up", "ms", "median <= 150", medianAtMost(150));
    measured("start-up floor", "ms", "the floor program's", {});
    measured("press to picture", "ms", "p95 <= 2", [](const Summary& s) { return s.p95 <= 2; });
    measured("press to server", "ms", QStringLiteral("median <= two buffers, %1").arg(2 * kBufferMs, 0, 'f', 1),
             medianAtMost(2 * kBufferMs), !withServer);
    measured("prompt timing", "ms", "|error| median <= 1, max <= 5",
             [](const Summary& s) { return s.median <= 1 && s.max <= 5; });
    // As for the gaps: a shared machine's scheduler wakes a timer a few ms late now and then.
    measured("flash", "ms", "median 300 +-1, all 300 +-5",
             [](const Summary& s) { return std::abs(s.median - 300) <= 1 && s.min >= 295 && s.max <= 305; });
    measured("music restart", "ms", QStringLiteral("|error| max <= one buffer, %1").arg(kBufferMs, 0, 'f', 1),
             [](const Summary& s) { return s.max <= kBufferMs; });
    const Summary memory = measured("memory", "MiB", "max <= 60", [](const Summary& s) { return s.max <= 60; });
    const Summary memoryFloor = measured("memory floor", "MiB", "the floor program's", {});
    const Summary held = measured("pictures and sounds held", "MiB", "the game's, decoded", {});
    derived("memory - floor - held", "MiB", memory.median - memoryFloor.median - held.median,
            QStringLiteral("medians' difference <= %1").arg(kMemoryBeyondMiB), medianAtMost(kMemoryBeyondMiB));
    measured("idle CPU", "%", "median <= 2", medianAtMost(2));
    measured("web title, slow", "ms", "median <= 12000 (2 s round trips, 50 kB/s)", medianAtMost(12000), !withPage);
    measured("web bytes before title", "KiB", "median <= 300", medianAtMost(300), !withPage);
    measured("web sounds in, slow", "ms", "median <= 30000", medianAtMost(30000), !withPage);
    measured("web title, phone", "ms", "median <= 1500 (150 ms, 1.5 MB/s)", medianAtMost(1500), !withPage);
    measured("web first visit", "ms", "the page's, to its title drawn", {}, !withPage);
    measured("web first visit bytes", "KiB", "median <= 1024", medianAtMost(1024), !withPage);
    measured("web second visit bytes", "KiB", "nothing but the page: median <= 16", medianAtMost(16), !withPage);
    measured(
        "web title, server silent", "ms", "from the cache: max <= 3000", [](const Summary& s) { return s.max <= 3000; },
        !withPage);
    measured("web press to picture", "ms", "median <= one frame, 16.7", medianAtMost(16.7), !withPage);
    measured("web press to sound", "ms", "the page's, through Web Audio", {}, !withPage);
    measured("web memory", "MiB", "the browser's, after a whole round", {}, !withPage);
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
    const bool withServer = !qEnvironmentVariableIsEmpty("PULSE_SERVER");
    if (!withServer)
        std::fprintf(stderr, "pokori-bench: no sound server (scripts/bench starts one): press to server is skipped\n");

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
    std::fprintf(stderr, "pokori-bench: start-up under callgrind\n");
    for (int i = 0; i < kCountedStartups; ++i) {
        ok &= countStartup(QStringLiteral("start-up instructions"),
                           {QCoreApplication::applicationFilePath(), QStringLiteral("start-up")}, samples);
        ok &= countStartup(QStringLiteral("start-up instructions floor"), {floor}, samples);
    }
    const QString page = qEnvironmentVariable("POKORI_WEB_PAGE");
    if (page.isEmpty()) {
        std::fprintf(stderr, "pokori-bench: no web page (scripts/bench builds one): its figures are skipped\n");
    } else {
        std::fprintf(stderr, "pokori-bench: the web page\n");
        ok &= runChild(QStringLiteral("/usr/bin/python3"), {QStringLiteral(POKORI_WEB_FIGURES), page}, samples);
    }
    report(samples, withServer, !page.isEmpty());
    return ok ? 0 : 1;
}
