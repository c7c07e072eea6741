#pragma once

#include "media/audio_device.h"

#include <QtGlobal>

#include <pulse/pulseaudio.h>

#include <atomic>
#include <span>

// Follows the game's mono 16-bit output as it is heard, block by block, and
// notes with the steady clock the first sound after arm(). Fed from an audio
// thread, read from any.
class SoundWatch {
public:
    // From now on, the next sound is noted.
    void arm()
    {
        m_firstSound = 0;
        m_armed = true;
    }
    // When that sound began (ns); 0 until it has come.
    [[nodiscard]] qint64 firstSound() const { return m_firstSound; }
    // Whether the last 50 ms heard were silent: longer than any pause within
    // a sound of the game, so no sound is going on.
    [[nodiscard]] bool settled() const { return m_silentFrames >= AudioDevice::kFrequency / 20; }

protected:
    // A block whose first frame was heard at firstNs and each next one
    // nsPerFrame later; 0 when the whole block counts as heard at once.
    void heard(std::span<const qint16> block, qint64 firstNs, double nsPerFrame);

private:
    std::atomic<bool> m_armed{false};
    std::atomic<qint64> m_firstSound{0};
    std::atomic<qint64> m_silentFrames{0};
};

// Hears the mixer's output through SDL_mixer's post-mix hook, each buffer
// when it has been mixed. One at a time: the mixer has a single hook.
class MixerWatch : public SoundWatch {
    Q_DISABLE_COPY(MixerWatch)

public:
    MixerWatch();
    ~MixerWatch();
};

// Records the default source of the sound server PULSE_SERVER names, which
// on the benchmark's server is the monitor of the sink the game plays into,
// and hears each frame when that sink played it, by the server's own timing
// of the recording.
class ServerWatch : public SoundWatch {
    Q_DISABLE_COPY(ServerWatch)

public:
    ServerWatch();
    ~ServerWatch();

private:
    pa_threaded_mainloop* m_loop;
    pa_context* m_context;
    pa_stream* m_stream = nullptr;
};
