#pragma once

#include "app/game_window.h"
#include "media/game_timer.h"
#include "round/random_source.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The steady clock in ns, the same in every process on the machine.
[[nodiscard]] qint64 steadyNs();

// The game's own folder of pictures and sounds.
[[nodiscard]] QString gameAssetDir();

// A copy of the game's assets in a temporary folder, for a figure that
// swaps a sound for one of its own.
[[nodiscard]] std::unique_ptr<QTemporaryDir> copyOfGameAssets();

// Hands one sample of a figure to the benchmark's parent process.
void reportSample(const char* figure, double value);

// The game window made as main.cpp makes it, over the given folder, with
// message boxes that close at once so that the benchmark can play on.
struct BenchGame {
    explicit BenchGame(const QString& assetDir = gameAssetDir());

    void load(); // start-up and the first showing, as main.cpp does
    void startRound(); // the title picture clicked, the intro told
    void tick(); // a tick of the prompt timer, now
    [[nodiscard]] GameTimer& timer(const char* name);

    ClockRandom random;
    GameWindow window;
};
