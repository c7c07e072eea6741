#include "bench/mixer_tap.h"

#include "bench/samples.h"

#include <SDL_mixer.h>

MixerTap::MixerTap()
{
    Mix_SetPostMix(&MixerTap::postMix, this);
}

MixerTap::~MixerTap()
{
    Mix_SetPostMix(nullptr, nullptr);
}

void MixerTap::postMix(void* tap, quint8* stream, int bytes)
{
    const std::span block(reinterpret_cast<const qint16*>(stream), std::size_t(bytes) / sizeof(qint16));
    static_cast<MixerTap*>(tap)->heard(block, steadyNs(), 0);
}
