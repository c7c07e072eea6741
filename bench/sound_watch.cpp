#include "bench/sound_watch.h"

#include <algorithm>

void SoundWatch::arm()
{
    m_firstSound = 0;
    m_armed = true;
}

void SoundWatch::heard(std::span<const qint16> block, qint64 firstNs, double nsPerFrame)
{
    const auto sound = std::find_if(block.begin(), block.end(), [](qint16 sample) { return sample != 0; });
    const qint64 leadingSilence = sound - block.begin();
    if (sound == block.end()) {
        m_silentFrames += leadingSilence;
        return;
    }
    const qint64 at = firstNs + qint64(nsPerFrame * double(leadingSilence));
    if (m_armed.exchange(false))
        m_firstSound = at;
    if (m_silentFrames + leadingSilence >= AudioDevice::kFrequency / 2 && m_onsetCount < kMaxOnsets) {
        m_onsets[std::size_t(m_onsetCount.load())] = at;
        ++m_onsetCount;
    }
    m_silentFrames = 0;
}
