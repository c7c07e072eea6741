// synth: renders one of the game's sounds to a 16-bit mono 44.1 kHz WAV file.
//
//   synth <number 0-8> <output.wav>
//
// The recipes live in music.cpp (0), effects.cpp (1-3) and endings.cpp (4-8).
// Nothing depends on the clock or the machine: every run writes the same bytes.

#include "tools/synth/sounds.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <iterator>
#include <string>
#include <vector>

namespace {

using synth::Buffer;

constexpr Buffer (*kRecipes[])()
    = {synth::backgroundMusic, synth::breath,       synth::heartThump,   synth::call,
       synth::closeCallEnding, synth::babbleEnding, synth::rescueEnding, synth::deathEnding,
       synth::fullRescueEnding};

bool writeWav(const Buffer& sound, const char* path)
{
    SF_INFO info{};
    info.samplerate = synth::kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path, SFM_WRITE, &info);
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
    constexpr int kCount = int(std::size(kRecipes));
    int number = -1;
    try {
        if (argc == 3)
            number = std::stoi(argv[1]);
    } catch (const std::exception&) {
    }
    if (number < 0 || number >= kCount) {
        std::fprintf(stderr, "usage: synth <number 0-%d> <output.wav>\n", kCount - 1);
        return 2;
    }
    if (!writeWav(kRecipes[number](), argv[2])) {
        std::fprintf(stderr, "synth: cannot write %s: %s\n", argv[2], sf_strerror(nullptr));
        return 1;
    }
    return 0;
}
