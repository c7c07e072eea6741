#include "tools/synth/sequencer.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace synth {

double noteFrequency(std::string_view name)
{
    static constexpr int kSemitoneOfLetter[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("bad note: " + std::string(name));
    int semitone = kSemitoneOfLetter[name[0] - 'A'];
    std::size_t i = 1;
    if (name[i] == '#') {
        ++semitone;
        ++i;
    } else if (name[i] == 'b') {
        --semitone;
        ++i;
    }
    const int octave = std::stoi(std::string(name.substr(i)));
    const int fromA4 = (octave - 4) * 12 + semitone - 9;
    return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

std::vector<Note> parseNotes(std::string_view line, double stepSeconds, double startSeconds)
{
    std::vector<Note> notes;
    double time = startSeconds;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t end = std::min(line.find_first_of(" |", pos), line.size());
        const std::string_view token = line.substr(pos, end - pos);
        pos = end + 1;
        if (token.empty())
            continue;

        const std::size_t colon = token.find(':');
        const double steps = colon == std::string_view::npos ? 1.0 : std::stod(std::string(token.substr(colon + 1)));
        const std::string_view pitches = token.substr(0, colon);
        if (pitches != "-") {
            std::size_t p = 0;
            while (p <= pitches.size()) {
                const std::size_t plus = std::min(pitches.find('+', p), pitches.size());
                notes.push_back({time, steps * stepSeconds, noteFrequency(pitches.substr(p, plus - p))});
                p = plus + 1;
            }
        }
        time += steps * stepSeconds;
    }
    return notes;
}

void play(Buffer& out, const std::vector<Note>& notes, const Instrument& instrument, float gain)
{
    for (const Note& note : notes)
        mixInto(out, instrument(note.freq, note.length), samplesFor(note.start), gain);
}

} // namespace synth
