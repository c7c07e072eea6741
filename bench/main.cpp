// The benchmark. Without arguments it measures every figure, each in fresh
// processes of its own (itself, given the figure's name), prints a table
// and writes it as JSON to the path after --json (default bench.json).
//
// Start-up and memory are measured for the floor program too (pokori-floor,
// beside this one), as often as for the game and in turn with it, and are
// judged by the ratio of the two medians. The figures through a sound server
// need the server scripts/bench starts: PULSE_SERVER names its socket and
// POKORI_SERVER_LOG its log; without them they are skipped.
#include "app/game_application.h"
#include "bench/figures.h"
#include "bench/report.h"
#include "bench/samples.h"
#include "media/audio_device.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QProcess>

#include <cstdio>
#include <functional>

namespace {

// The mixer's buffer sizes tried through the server, in frames.
constexpr int kServerBuffers[] = {256, 512, 1024};
constexpr double kFloorRatio = 1.3;
// How far past one buffer and the server's latency a press may be heard.
constexpr double kServerSlack = 1.5;
constexpr double kBufferMs = 1000.0 * AudioDevice::kBufferFrames / AudioDevice::kFrequency;

using Samples = QHash<QString, std::vector<double>>;

struct Run {
    QByteArray figure; // the child's argument, and its first figure's name
    std::function<int()> measure;
    int processes = 1;
    bool throughServer = false;
};

const QList<Run>& runs()
{
    static const QList<Run> all = [] {
        QList<Run> list{
            {"start-up", measureStartup, 10},
            {"press to picture", measurePressToPicture},
            {"press to mixer", measurePressToMixer},
            {"prompt timing", measurePromptTiming}, // and "flash"
            {"music restart", measureMusicRestart},
            {"memory", measureMemory, 5},
            {"idle CPU", measureIdleCpu},
        };
        for (const int frames : kServerBuffers) {
            list.append(
                {serverFigure("press to server", frames), [frames] { return measurePressToServer(frames); }, 1, true});
            list.append({serverFigure("underruns", frames), [frames] { return measureUnderruns(frames); }, 1, true});
        }
        return list;
    }();
    return all;
}

bool againstFloor(const QString& figure)
{
    return figure == QLatin1String("start-up") || figure == QLatin1String("memory");
}

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

// Runs one measuring process and adds the samples it reports (only those
// of the given figure, if one is given); false if it failed. A start-up
// sample becomes the time from our clock at the process's start to its paint.
bool runChild(const QString& program, const QString& argument, Samples& samples, const QString& only = {})
{
    QProcess child; // its stderr shown only when it fails: SDL's disk driver is chatty
    const qint64 started = steadyNs();
    child.start(program, argument.isEmpty() ? QStringList() : QStringList{argument});
    if (!child.waitForFinished(5 * 60 * 1000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "%s\npokori-bench: %s %s failed\n", child.readAllStandardError().constData(),
                     qPrintable(program), qPrintable(argument));
        return false;
    }
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        const QString figure = QString::fromUtf8(fields[0]);
        if (fields.size() != 2 || (!only.isEmpty() && figure != only))
            continue;
        const double value = fields[1].toDouble();
        samples[figure].push_back(figure.startsWith(QLatin1String("start-up")) ? (value - double(started)) / 1e6
                                                                               : value);
    }
    return true;
}

// Every run's processes, the floor's in turn with the game's where the two
// are compared; false if any failed.
bool measureAll(Samples& samples, bool withServer)
{
    const QString floor = QCoreApplication::applicationDirPath() + QStringLiteral("/pokori-floor");
    bool ok = true;
    for (const Run& run : runs()) {
        if (run.throughServer && !withServer)
            continue;
        const QString figure = QString::fromUtf8(run.figure);
        std::fprintf(stderr, "pokori-bench: %s\n", run.figure.constData());
        for (int i = 0; i < run.processes; ++i) {
            ok &= runChild(QCoreApplication::applicationFilePath(), figure, samples);
            if (againstFloor(figure))
                ok &= runChild(floor, {}, samples, figure + QStringLiteral(" floor"));
        }
    }
    return ok;
}

// Each figure against its goal; the floor's and the server's latency as the
// references that the goals of others are set by.
QList<FigureResult> judge(const Samples& samples, bool withServer)
{
    const auto summary = [&](const QString& figure) { return summarize(samples.value(figure)); };
    const auto verdict = [](bool met) { return met ? Verdict::Met : Verdict::Missed; };
    QList<FigureResult> results;
    for (const Goal& goal : goals()) {
        const QString figure = QString::fromUtf8(goal.figure);
        const QString unit = QString::fromUtf8(goal.unit);
        const Summary game = summary(figure);
        results.append({figure, unit, game, goal.text, verdict(game.count > 0 && goal.met(game))});
        if (!againstFloor(figure))
            continue;
        const Summary floor = summary(figure + QStringLiteral(" floor"));
        const double ratio = game.median / floor.median;
        results.append({figure + QStringLiteral(" floor"), unit, floor, QStringLiteral("the floor program's"),
                        Verdict::Reference});
        results.append({figure + QStringLiteral(" / floor"),
                        QStringLiteral("x"),
                        {1, ratio, ratio, ratio, ratio},
                        QStringLiteral("medians' ratio <= %1").arg(kFloorRatio),
                        verdict(game.count > 0 && floor.count > 0 && ratio <= kFloorRatio)});
    }
    for (const int frames : kServerBuffers) {
        const auto name = [frames](const char* figure) { return QString::fromUtf8(serverFigure(figure, frames)); };
        const Summary heard = summary(name("press to server"));
        const Summary reported = summary(name("server latency"));
        const Summary underruns = summary(name("underruns"));
        const double bufferMs = 1000.0 * frames / AudioDevice::kFrequency;
        const double bound = kServerSlack * (bufferMs + reported.median);
        const auto judged = [&](bool met) { return withServer ? verdict(met) : Verdict::Skipped; };
        results.append({name("press to server"), QStringLiteral("ms"), heard,
                        QStringLiteral("median <= %1 x (%2 + latency)%3")
                            .arg(kServerSlack)
                            .arg(bufferMs, 0, 'f', 1)
                            .arg(reported.count > 0 ? QStringLiteral(" = %1").arg(bound, 0, 'f', 1) : QString()),
                        judged(heard.count > 0 && reported.count > 0 && heard.median <= bound)});
        results.append({name("server latency"), QStringLiteral("ms"), reported,
                        QStringLiteral("the server's, for the game's stream"),
                        withServer ? Verdict::Reference : Verdict::Skipped});
        results.append({name("underruns"), QStringLiteral("count"), underruns, QStringLiteral("0 in a heavy round"),
                        judged(underruns.count > 0 && underruns.max == 0)});
    }
    return results;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2) {
        for (const Run& run : runs()) {
            if (run.figure == argv[1]) {
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
    const bool withServer = !qEnvironmentVariableIsEmpty("POKORI_SERVER_LOG");
    if (!withServer)
        std::fprintf(stderr, "pokori-bench: no sound server (scripts/bench starts one): its figures are skipped\n");
    Samples samples;
    const bool ok = measureAll(samples, withServer);
    const QList<FigureResult> results = judge(samples, withServer);
    std::fputs(qPrintable(resultTable(results)), stdout);
    QFile json(jsonPath);
    if (!json.open(QIODevice::WriteOnly | QIODevice::Truncate) || json.write(resultJson(results)) < 0) {
        std::fprintf(stderr, "pokori-bench: cannot write %s\n", qPrintable(jsonPath));
        return 1;
    }
    return ok ? 0 : 1;
}
