#pragma once

#include "media/audio_device.h"

#include <QtGlobal>

#include <atomic>
#include <span>

// Follows the game's mono 16-bit output as it is heard, block by block, and
// notes with the steady clock the first sound after arm() and the start of
// each sound that follows half a second of silence. Fed from one audio
// thread, read from any.
class SoundWatch {
public:
    // From now on, the next sound is noted.
    void arm();
    // When that sound began (ns); 0 until it has come.
    [[nodiscard]] qint64 firstSound() const { return m_firstSound.load(); }
    // Whether the last 50 ms heard were silent: longer than any pause within
    // a press's sound, so no sound is still going on.
    [[nodiscard]] bool settled() const { return m_silentFrames.load() >= AudioDevice::kFrequency / 20; }
    // Sounds that began after half a second of silence, so far.
    [[nodiscard]] int onsets() const { return m_onsetCount.load(); }
    [[nodiscard]] qint64 onset(int index) const { return m_onsets[std::size_t(index)]; }

    static constexpr int kMaxOnsets = 64;

protected:
    // A block whose first frame was heard at firstNs and each next one
    // nsPerFrame later; 0 when the whole block counts as heard at once.
    void heard(std::span<const qint16> block, qint64 firstNs, double nsPerFrame);

private:
    std::atomic<bool> m_armed{false};
    std::atomic<qint64> m_firstSound{0};
    std::atomic<qint64> m_silentFrames{0};
    std::atomic<int> m_onsetCount{0};
    qint64 m_onsets[kMaxOnsets] = {};
};
