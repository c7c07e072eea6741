#pragma once

#include "media/audio_device.h"
#include "media/sound_channel.h"

#include <QString>

#include <array>
#include <memory>

// The game's sounds: the audio output and nine channels, channel i bound to
// the wave file named i.wav, each on a mixer channel of its own. Without an
// audio device every channel stays silent.
class SoundBank {
public:
    static constexpr int kSize = AudioDevice::kChannels;

    SoundBank();

    // Opens channels 0 to 8, in order, on the files of assetDir, which ends
    // in a separator.
    void open(const QString& assetDir);
    // Stops and closes every channel, in order.
    void close();

    [[nodiscard]] SoundChannel& operator[](int index) { return *m_channels.at(index); }
    [[nodiscard]] const SoundChannel& operator[](int index) const { return *m_channels.at(index); }

private:
    // Declared first: the device outlives the sounds it plays.
    AudioDevice m_device;
    std::array<std::unique_ptr<SoundChannel>, kSize> m_channels;
};
