#pragma once

#include <QString>
#include <QtGlobal>

// What the window remembers about the round in play and the chosen pace.
// Owned by the window for its whole life; never stored anywhere.
struct RoundState {
    QString AssetDir;          // the program's folder, ending in one separator
    quint8 CurrentAction = 0;  // action of the latest prompt, 0..2
    // 64-bit so that no amount of button mashing can overflow a counter.
    qint64 HitCount = 0;
    qint64 MissCount = 0;
    quint8 PromptCount = 0;    // ticks of Tim in this round; the round ends at 30
    int BaseInterval = 0;      // shortest gap between prompts, ms
    qint16 IntervalSpread = 0; // random extra on top of BaseInterval, ms
};
