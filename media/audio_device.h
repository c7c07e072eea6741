#pragma once

// The sound output for the life of the program: SDL's audio subsystem and
// SDL_mixer with the mixer channels asked for, one per sound channel. On a machine with no
// usable audio device it stays closed and the game runs silently.
class AudioDevice {
public:
    static constexpr int kFrequency = 44100;
    // 1024 frames (23.2 ms): through a sound server on a two-core machine,
    // 512 underran now and then in a heavy round of fast presses and 1024
    // did not, and a press still reaches the server within about 30 ms
    // (scripts/bench measures 256, 512 and 1024).
    static constexpr int kBufferFrames = 1024;

    // bufferFrames: the mixer's buffer; only the benchmark asks for another.
    explicit AudioDevice(int mixerChannels, int bufferFrames = kBufferFrames);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    [[nodiscard]] bool isOpen() const { return m_open; }

private:
    bool m_open = false;
};
