#include "bench_game.h"

#include <QDir>
#include <QFile>

#include <chrono>
#include <cstdio>

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString gameAssetDir()
{
    return QStringLiteral(POKORI_RUNTIME_DIR);
}

std::unique_ptr<QTemporaryDir> copyOfGameAssets()
{
    auto dir = std::make_unique<QTemporaryDir>();
    const QDir game(gameAssetDir());
    for (const QString& name : game.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.wav")}, QDir::Files)) {
        if (!QFile::copy(game.filePath(name), dir->filePath(name)))
            qFatal("cannot copy %s", qPrintable(name));
    }
    return dir;
}

void reportSample(const char* figure, double value)
{
    std::printf("%s\t%.6f\n", figure, value);
    std::fflush(stdout);
}

BenchGame::BenchGame(const QString& assetDir)
    : fom(random, [](QWidget*, const QString&) {}, assetDir)
{
}

void BenchGame::load()
{
    fom.Form_Load();
    fom.show();
}

void BenchGame::startRound()
{
    fom.ImgStt_Click();
}
