#pragma once

#include "bench/sound_watch.h"

// Listens to the mixer's output through SDL_mixer's post-mix hook: each
// buffer counts as heard when it has been mixed. One tap at a time: the
// mixer has a single post-mix hook.
class MixerTap : public SoundWatch {
public:
    MixerTap();
    ~MixerTap();
    MixerTap(const MixerTap&) = delete;
    MixerTap& operator=(const MixerTap&) = delete;

private:
    static void postMix(void* tap, quint8* stream, int bytes);
};
