// The benchmark. Without arguments it measures every figure, each in fresh
// processes of its own (itself, given the figure's name), prints a table
// and writes it as JSON to the path after --json (default bench.json).
#include "app/game_application.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/report.h"
#include "media/audio_device.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QProcess>

#include <cstdio>
#include <functional>

namespace {

constexpr double kBufferMs = 1000.0 * AudioDevice::kBufferFrames / AudioDevice::kFrequency;

struct Run {
    const char* name;
    int (*measure)();
    int processes;
};

const Run kRuns[] = {
    {"start-up", measureStartup, 10},
    {"press to picture", measurePressToPicture, 1},
    {"press to mixer", measurePressToMixer, 1},
    {"prompt timing", measurePromptTiming, 1}, // and "flash"
    {"music restart", measureMusicRestart, 1},
    {"memory", measureMemory, 5},
    {"idle CPU", measureIdleCpu, 1},
};

struct Goal {
    const char* figure;
    const char* unit;
    QString text;
    std::function<bool(const Summary&)> met;
};

const QList<Goal>& goals()
{
    static const QList<Goal> all{
        {"start-up", "ms", QStringLiteral("median <= 150"), [](const Summary& s) { return s.median <= 150; }},
        {"press to picture", "ms", QStringLiteral("p95 <= 2"), [](const Summary& s) { return s.p95 <= 2; }},
        {"press to mixer", "ms", QStringLiteral("median <= %1").arg(kBufferMs, 0, 'f', 1),
         [](const Summary& s) { return s.median <= kBufferMs; }},
        {"prompt timing", "ms", QStringLiteral("|error| median <= 1, max <= 5"),
         [](const Summary& s) { return s.median <= 1 && s.max <= 5; }},
        {"flash", "ms", QStringLiteral("298 .. 302"), [](const Summary& s) { return s.min >= 298 && s.max <= 302; }},
        {"music restart", "ms", QStringLiteral("|error| max <= %1").arg(kBufferMs, 0, 'f', 1),
         [](const Summary& s) { return s.max <= kBufferMs; }},
        {"memory", "MiB", QStringLiteral("max <= 60"), [](const Summary& s) { return s.max <= 60; }},
        {"idle CPU", "%", QStringLiteral("median <= 2"), [](const Summary& s) { return s.median <= 2; }},
    };
    return all;
}

// Runs one figure's process and adds the samples it reports.
bool runChild(const Run& run, QHash<QString, std::vector<double>>& samples)
{
    QProcess child; // its stderr shown only when it fails: SDL's disk driver is chatty
    const qint64 started = steadyNs();
    child.start(QCoreApplication::applicationFilePath(), {QString::fromUtf8(run.name)});
    if (!child.waitForFinished(5 * 60 * 1000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "%s\npokori-bench: measuring %s failed\n", child.readAllStandardError().constData(),
                     run.name);
        return false;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 2)
            continue;
        const QString figure = QString::fromUtf8(fields[0]);
        double value = fields[1].toDouble();
        if (figure == QLatin1String("start-up"))
            value = (value - double(started)) / 1e6; // from our clock at its start to its paint
        samples[figure].push_back(value);
    }
    return true;
}

int measureAll(const QString& jsonPath)
{
    QHash<QString, std::vector<double>> samples;
    bool ok = true;
    for (const Run& run : kRuns) {
        std::fprintf(stderr, "pokori-bench: %s\n", run.name);
        for (int i = 0; i < run.processes; ++i)
            ok &= runChild(run, samples);
    }
    QList<FigureResult> results;
    for (const Goal& goal : goals()) {
        const Summary summary = summarize(samples.value(QString::fromUtf8(goal.figure)));
        const bool met = summary.count > 0 && goal.met(summary);
        results.append({QString::fromUtf8(goal.figure), QString::fromUtf8(goal.unit), goal.text, summary, met});
    }
    std::fputs(qPrintable(resultTable(results)), stdout);
    QFile json(jsonPath);
    if (!json.open(QIODevice::WriteOnly | QIODevice::Truncate) || json.write(resultJson(results)) < 0) {
        std::fprintf(stderr, "pokori-bench: cannot write %s\n", qPrintable(jsonPath));
        return 1;
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2) {
        for (const Run& run : kRuns) {
            if (qstrcmp(argv[1], run.name) == 0) {
                GameApplication app(argc, argv);
                return run.measure();
            }
        }
    }
    QCoreApplication app(argc, argv);
    QString jsonPath = QStringLiteral("bench.json");
    const QStringList args = QCoreApplication::arguments();
    if (const auto at = args.indexOf(QStringLiteral("--json")); at > 0 && at + 1 < args.size())
        jsonPath = args[at + 1];
    else if (args.size() > 1) {
        std::fprintf(stderr, "usage: pokori-bench [--json path]\n");
        return 2;
    }
    return measureAll(jsonPath);
}
