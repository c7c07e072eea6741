#pragma once

#include <QtGlobal>

#include <atomic>

// Listens to the mixer's output (SDL_mixer's post-mix hook) and notes, with
// the steady clock, the first buffer after arm() that holds a sound, and
// the start of each sound that follows at least half a second of silence.
// One tap at a time: the mixer has a single post-mix hook.
class MixerTap {
public:
    MixerTap();
    ~MixerTap();
    MixerTap(const MixerTap&) = delete;
    MixerTap& operator=(const MixerTap&) = delete;

    // From now on, the next buffer that is not silent is noted.
    void arm();
    // The steady clock (ns) of that buffer; 0 until it has come.
    [[nodiscard]] qint64 firstSound() const { return m_firstSound.load(); }
    // Whether a whole buffer of silence was mixed after the last call.
    [[nodiscard]] bool silentSince(qint64 ns) const { return m_lastSilent.load() > ns; }
    // Sounds that began after half a second of silence, so far.
    [[nodiscard]] int onsets() const { return m_onsetCount.load(); }
    [[nodiscard]] qint64 onset(int index) const { return m_onsets[std::size_t(index)]; }

    static constexpr int kMaxOnsets = 64;

private:
    static void postMix(void* tap, quint8* stream, int bytes);
    void heard(const quint8* stream, int bytes);

    std::atomic<bool> m_armed{false};
    std::atomic<qint64> m_firstSound{0};
    std::atomic<qint64> m_lastSilent{0};
    int m_bytesPerFrame = 2; // set from the mixer's format
    qint64 m_silentFrames = 0; // audio thread only
    std::atomic<int> m_onsetCount{0};
    qint64 m_onsets[kMaxOnsets] = {};
};
