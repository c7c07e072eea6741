// Any bytes as a sound file, opened, measured and played by a sound channel
// as the game does: playable or silent, never a crash.
#include "media/audio_device.h"
#include "media/sound_channel.h"

#include <QFile>
#include <QString>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kMixerChannel = 0;
std::unique_ptr<AudioDevice> device;
QString soundPath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    device = std::make_unique<AudioDevice>(kMixerChannel + 1);
    if (!device->isOpen())
        std::abort();
    // A channel reads a file by its name; shared memory keeps that cheap.
    soundPath = QStringLiteral("/dev/shm/pokori-fuzz-%1.wav").arg(getpid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QFile file(soundPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    SoundChannel channel(kMixerChannel);
    channel.open(soundPath);
    if (channel.lengthMs() < 0 || (!channel.isOpen() && channel.lengthMs() != 0))
        std::abort();
    channel.play();
    channel.close();
    return 0;
}
