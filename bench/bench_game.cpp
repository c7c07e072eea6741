#include "bench/bench_game.h"

#include "app/picture_box.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <chrono>
#include <cstdio>

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
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
    : window(
        random, [](QWidget*, const QString&) {}, [](const AssetError&) { qFatal("a picture is broken"); }, assetDir)
{
}

void BenchGame::load()
{
    window.start();
    window.show();
}

void BenchGame::startRound()
{
    QTest::mouseClick(window.controls().titlePicture, Qt::LeftButton, {}, QPoint(100, 100));
}

void BenchGame::tick()
{
    emit timer("promptTimer").tick();
}

GameTimer& BenchGame::timer(const char* name)
{
    return *window.findChild<GameTimer*>(QLatin1String(name));
}
