#include "bench/mixer_tap.h"

#include "bench/bench_game.h"
#include "media/audio_device.h"

#include <SDL_mixer.h>

#include <algorithm>

MixerTap::MixerTap()
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) != 0)
        m_bytesPerFrame = SDL_AUDIO_BITSIZE(format) / 8 * channels;
    Mix_SetPostMix(&MixerTap::postMix, this);
}

MixerTap::~MixerTap()
{
    Mix_SetPostMix(nullptr, nullptr);
}

void MixerTap::arm()
{
    m_firstSound = 0;
    m_armed = true;
}

void MixerTap::postMix(void* tap, quint8* stream, int bytes)
{
    static_cast<MixerTap*>(tap)->heard(stream, bytes);
}

void MixerTap::heard(const quint8* stream, int bytes)
{
    const qint64 now = steadyNs();
    const bool silent = std::all_of(stream, stream + bytes, [](quint8 b) { return b == 0; });
    if (silent) {
        m_lastSilent = now;
        m_silentFrames += bytes / m_bytesPerFrame;
        return;
    }
    if (m_armed.exchange(false))
        m_firstSound = now;
    if (m_silentFrames >= AudioDevice::kFrequency / 2 && m_onsetCount < kMaxOnsets) {
        m_onsets[std::size_t(m_onsetCount.load())] = now;
        ++m_onsetCount;
    }
    m_silentFrames = 0;
}
