#include "audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

AudioDevice::AudioDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "pokori-rescue: no audio, playing silently (%s)\n", SDL_GetError());
        return;
    }
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, 2, kBufferFrames) != 0) {
        std::fprintf(stderr, "pokori-rescue: no audio device, playing silently (%s)\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(kChannels);
    m_open = true;
}

AudioDevice::~AudioDevice()
{
    if (!m_open)
        return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
