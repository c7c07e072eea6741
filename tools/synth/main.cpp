// synth: renders one of the game's sounds, by its number, to a 16-bit mono
// 44.1 kHz WAV file, or to a FLAC file for the web page where the output's
// name ends in .flac: the same samples, losslessly smaller.
//
//   synth <number> <output.wav|output.flac>
//
// The recipes live in music.cpp, effects.cpp and endings.cpp.
// Nothing depends on the clock or the machine: every run writes the same bytes.

#include "tools/synth/sounds.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using synth::Buffer;

Buffer render(Sound sound)
{
    switch (sound) {
    case Sound::Music:
        return synth::backgroundMusic();
    case Sound::Breath:
        return synth::breath();
    case Sound::HeartMassage:
        return synth::heartThump();
    case Sound::Call:
        return synth::call();
    case Sound::CloseCallEnding:
        return synth::closeCallEnding();
    case Sound::AfterEffectEnding:
        return synth::babbleEnding();
    case Sound::RescueEnding:
        return synth::rescueEnding();
    case Sound::DeathEnding:
        return synth::deathEnding();
    case Sound::FullRescueEnding:
        return synth::fullRescueEnding();
    }
    return {};
}

bool writeSound(const Buffer& sound, const std::string& path)
{
    SF_INFO info{};
    info.samplerate = synth::kRate;
    info.channels = 1;
    info.format = (path.ends_with(".flac") ? SF_FORMAT_FLAC : SF_FORMAT_WAV) | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;

    // Our own rounding, so the bytes never depend on the library's conversion.
    std::vector<short> pcm(sound.size());
    for (std::size_t i = 0; i < sound.size(); ++i)
        pcm[i] = static_cast<short>(std::lround(std::clamp(sound[i], -1.0f, 1.0f) * 32767.0f));
    const bool complete = sf_write_short(file, pcm.data(), sf_count_t(pcm.size())) == sf_count_t(pcm.size());
    return sf_close(file) == 0 && complete;
}

} // namespace

int main(int argc, char** argv)
{
    int number = -1;
    try {
        if (argc == 3)
            number = std::stoi(argv[1]);
    } catch (const std::exception&) {
    }
    if (number < 0 || number >= kSoundCount) {
        std::fprintf(stderr, "usage: synth <number 0-%d> <output.wav|output.flac>\n", kSoundCount - 1);
        return 2;
    }
    if (!writeSound(render(static_cast<Sound>(number)), argv[2])) {
        std::fprintf(stderr, "synth: cannot write %s: %s\n", argv[2], sf_strerror(nullptr));
        return 1;
    }
    return 0;
}
