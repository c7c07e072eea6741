#include "media/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace {

// Every sound of the game is mono, so a mono output takes them as they are:
// stereo made loading convert the music, a third of the start-up time. The
// system plays the one channel on every speaker.
constexpr int kOutputChannels = 1;

} // namespace

AudioDevice::AudioDevice(int mixerChannels)
{
    // SDL would otherwise swallow SIGINT and SIGTERM, and the game would not
    // end when the desktop asks it to.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "pokori-rescue: no audio, playing silently (%s)\n", SDL_GetError());
        return;
    }
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kOutputChannels, kBufferFrames) != 0) {
        std::fprintf(stderr, "pokori-rescue: no audio device, playing silently (%s)\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    Mix_AllocateChannels(mixerChannels);
    m_open = true;
}

AudioDevice::~AudioDevice()
{
    if (!m_open)
        return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
