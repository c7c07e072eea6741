#pragma once

#include "app/game_window.h"
#include "media/audio_device.h"
#include "media/game_timer.h"
#include "round/random_source.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class SoundWatch;

// The game's own folder of pictures and sounds.
[[nodiscard]] QString gameAssetDir();

// A copy of the game's assets in a temporary folder, for a figure that
// swaps a sound for one of its own.
[[nodiscard]] std::unique_ptr<QTemporaryDir> copyOfGameAssets();

// SDL audio through the sound server that PULSE_SERVER names, with the
// mixer's buffer of the given size; null if it cannot be opened. Opened
// before the game's own, it is the device the game then shares: SDL_mixer
// counts a second opening with the same format and channels, and keeps the
// first one's buffer.
[[nodiscard]] std::unique_ptr<AudioDevice> audioThroughServer(int bufferFrames);

// Runs the event loop until done() holds, checking every few ms; false
// when the time is up first.
bool runUntil(const std::function<bool()>& done, int timeoutMs);

// The game window made as main.cpp makes it, over the given folder, with
// message boxes that close at once so that the benchmark can play on.
struct BenchGame {
    explicit BenchGame(const QString& assetDir = gameAssetDir());

    void load(); // start-up and the first showing, as main.cpp does
    void startRound(); // the title picture clicked, the intro told
    void tick(); // a tick of the prompt timer, now
    [[nodiscard]] GameTimer& timer(const char* name);
    // Presses the action buttons in turn, each from silence, and hands over
    // the ms from each press to its first sound in the watch; false when a
    // sound never came. The output must hold nothing but the presses.
    bool pressFromSilence(SoundWatch& watch, int presses, int bufferFrames,
                          const std::function<void(double ms)>& heard);

    ClockRandom random;
    GameWindow window;
};
