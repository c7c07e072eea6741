#pragma once

#include <QByteArray>

// Each figure's measuring run, done in a process of its own; each reports
// its samples with reportSample() and returns the exit status.
int measureStartup(); // "start-up": the clock once the title screen's first frame is drawn
int measurePressToPicture(); // "press to picture"
int measurePressToMixer(); // "press to mixer"
int measurePromptTiming(); // "prompt timing" and "flash"
int measureMusicRestart(); // "music restart"
int measureMemory(); // "memory"
int measureIdleCpu(); // "idle CPU"

// Through the sound server, with the mixer's buffer of the given size:
int measurePressToServer(int bufferFrames); // "press to server N" and "server latency N"
int measureUnderruns(int bufferFrames); // "underruns N", over a heavy round of fast presses

// A server figure's name for a buffer of the given size: "<figure> N".
[[nodiscard]] inline QByteArray serverFigure(const char* figure, int bufferFrames)
{
    return figure + (' ' + QByteArray::number(bufferFrames));
}
