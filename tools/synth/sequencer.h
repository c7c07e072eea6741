#pragma once
// A tiny sequencer: melodies are written as note strings and played on an
// instrument into a buffer.
//
// Note strings: tokens separated by spaces, each a pitch and an optional
// length in steps, e.g. "E5:2 G5 - C5+E5+G5:4 |".
//   E5, F#4, Bb3 .. a pitch (A4 = 440 Hz); several joined by '+' sound together
//   -            .. a rest
//   :n           .. lasts n steps (1 if omitted); the caller chooses the step
//   |            .. a bar line, only for the reader; it separates like a space

#include "tools/synth/dsp.h"

#include <functional>
#include <string_view>
#include <vector>

namespace synth {

struct Note {
    double start; // seconds
    double length; // seconds the key is held
    double freq; // Hz
};

double noteFrequency(std::string_view name);
std::vector<Note> parseNotes(std::string_view line, double stepSeconds, double startSeconds = 0);

// Renders one note held for `held` seconds, including its own release tail.
using Instrument = std::function<Buffer(double freq, double held)>;

void play(Buffer& out, const std::vector<Note>& notes, const Instrument& instrument, float gain);

} // namespace synth
