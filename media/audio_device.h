#pragma once

// The sound output for the life of the program: SDL's audio subsystem and
// SDL_mixer with the mixer channels asked for, one per sound channel. On a machine with no
// usable audio device it stays closed and the game runs silently.
class AudioDevice {
public:
    static constexpr int kFrequency = 44100;
    // 1024 frames (23.2 ms): through a sound server, in heavy rounds of
    // fast presses on a two-core machine busy with builds (load 2 to 3),
    // 256 underran in each of four rounds, 10 to 53 times; 512 in six of
    // seven, up to 30 times; 1024 in five of seven, once each but 8 times
    // in one. A press still reaches the server within about 30 ms.
    static constexpr int kBufferFrames = 1024;

    explicit AudioDevice(int mixerChannels);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    [[nodiscard]] bool isOpen() const { return m_open; }

private:
    bool m_open = false;
};
