// synth: renders one of the game's sounds, by its number, to a 16-bit mono
// 44.1 kHz WAV file, or to an MP3 file for the web page where the output's
// name ends in .mp3: a tenth of the size, which every browser decodes.
//
//   synth <number> <output.wav|output.mp3>
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

// LAME's variable bitrate at quality 5, from 0 (best) to 9, a step below its
// default: about 70 kbit/s for these mono sounds.
constexpr double kMp3Compression = 0.5;

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
    const bool mp3 = path.ends_with(".mp3");
    info.format = mp3 ? SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III : SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    if (mp3) {
        // The mode first: the level means a bitrate or a quality by it. The
        // encoder writes LAME's header, which tells a decoder the samples it
        // added before and after the sound, to drop them again.
        int mode = SF_BITRATE_MODE_VARIABLE;
        double level = kMp3Compression;
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
        if (sf_error(file) != SF_ERR_NO_ERROR) {
            sf_close(file);
            return false;
        }
    }

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
        std::fprintf(stderr, "usage: synth <number 0-%d> <output.wav|output.mp3>\n", kSoundCount - 1);
        return 2;
    }
    if (!writeSound(render(static_cast<Sound>(number)), argv[2])) {
        std::fprintf(stderr, "synth: cannot write %s: %s\n", argv[2], sf_strerror(nullptr));
        return 1;
    }
    return 0;
}
