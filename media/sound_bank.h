#pragma once

#include "media/audio_device.h"
#include "media/sound_channel.h"

#include <QString>

#include <memory>
#include <span>
#include <vector>

// The game's sounds: the audio output and one channel for each sound file,
// channel i bound to file i and playing on mixer channel i. Without an audio
// device every channel stays silent.
class SoundBank {
public:
    explicit SoundBank(std::span<const char* const> fileNames);

    // Opens every channel, in order, on its file in assetDir, which ends in a
    // separator.
    void open(const QString& assetDir);
    // Stops and closes every channel, in order.
    void close();

    [[nodiscard]] int size() const { return static_cast<int>(m_channels.size()); }
    [[nodiscard]] SoundChannel& operator[](int index) { return *m_channels.at(index); }
    [[nodiscard]] const SoundChannel& operator[](int index) const { return *m_channels.at(index); }

private:
    std::span<const char* const> m_fileNames;
    // Declared before the channels: the device outlives the sounds it plays.
    AudioDevice m_device;
    std::vector<std::unique_ptr<SoundChannel>> m_channels;
};
