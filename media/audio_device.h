#pragma once

// The sound output for the life of the program: SDL's audio subsystem and
// SDL_mixer with one mixer channel per sound channel. On a machine with no
// usable audio device it stays closed and the game runs silently.
class AudioDevice {
public:
    static constexpr int kChannels = 9;
    static constexpr int kFrequency = 44100;
    // 512 frames (11.6 ms) keeps a press audible at once without
    // underrunning on a busy machine.
    static constexpr int kBufferFrames = 512;

    // bufferFrames: the mixer's buffer; only the benchmark asks for another.
    explicit AudioDevice(int bufferFrames = kBufferFrames);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    [[nodiscard]] bool isOpen() const { return m_open; }

private:
    bool m_open = false;
};
