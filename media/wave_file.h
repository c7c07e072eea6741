#pragma once

#include <QByteArray>

// Whether bytes are a whole RIFF wave file: the game's sounds are wave files
// and nothing else. Every chunk the file declares must lie within it: SDL
// allocates each chunk at its declared size before reading it, so a few
// hundred cut-off or hostile bytes could otherwise cost gigabytes. (Other
// formats are not handed to SDL_mixer at all; its FLAC loader, for one,
// leaks on broken files.)
[[nodiscard]] bool isWholeWave(const QByteArray& bytes);
