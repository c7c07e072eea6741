#include "media/sound_channel.h"

#include <QFile>
#include <QtEndian>

#include <SDL_mixer.h>

#include <limits>

namespace {

constexpr qsizetype kRiffHeaderSize = 12; // "RIFF", size, "WAVE"
constexpr qsizetype kChunkHeaderSize = 8; // id, size

// Whether bytes are a whole RIFF wave file: the game's sounds are wave files
// and nothing else. Every chunk the file declares must lie within it: SDL
// allocates each chunk at its declared size before reading it, so a few
// hundred cut-off or hostile bytes could otherwise cost gigabytes. (Other
// formats are not handed to SDL_mixer at all; its FLAC loader, for one,
// leaks on broken files.)
bool isWholeWave(const QByteArray& bytes)
{
    if (bytes.size() < kRiffHeaderSize || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    qint64 at = kRiffHeaderSize;
    while (at + kChunkHeaderSize <= bytes.size()) {
        const qint64 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (at + kChunkHeaderSize + size > bytes.size())
            return false;
        // A chunk of odd size is followed by a pad byte, so that the next
        // starts on an even offset; the last chunk's may be missing, as
        // every sample is there and SDL_mixer plays the file all the same.
        at += kChunkHeaderSize + size + (size & 1);
    }
    return true;
}

} // namespace

void SoundChannel::ChunkDeleter::operator()(Mix_Chunk* chunk) const
{
    Mix_FreeChunk(chunk);
}

SoundChannel::SoundChannel(int mixerChannel)
    : m_mixerChannel(mixerChannel)
{
}

SoundChannel::~SoundChannel()
{
    close();
}

void SoundChannel::open(const QString& path)
{
    close();
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0)
        return; // no audio device: stay silent
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    if (!isWholeWave(bytes) || bytes.size() > std::numeric_limits<int>::max())
        return;
    // Closed here rather than by SDL_mixer, which forgets to on some files
    // too short to be recognised.
    SDL_RWops* source = SDL_RWFromConstMem(bytes.constData(), int(bytes.size()));
    if (!source)
        return;
    m_chunk.reset(Mix_LoadWAV_RW(source, 0));
    SDL_RWclose(source);
}

void SoundChannel::play()
{
    if (!m_chunk)
        return;
    Mix_HaltChannel(m_mixerChannel);
    Mix_PlayChannel(m_mixerChannel, m_chunk.get(), 0);
}

void SoundChannel::close()
{
    if (m_chunk)
        Mix_HaltChannel(m_mixerChannel);
    m_chunk.reset();
}

int SoundChannel::lengthMs() const
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!m_chunk || Mix_QuerySpec(&frequency, &format, &channels) == 0 || frequency <= 0)
        return 0;
    const qint64 bytesPerFrame = qint64(SDL_AUDIO_BITSIZE(format) / 8) * channels;
    const qint64 frames = qint64(m_chunk->alen) / bytesPerFrame;
    // To the nearest ms; a chunk of at most 4 GiB lasts well under 2^31 ms.
    return int((frames * 1000 + frequency / 2) / frequency);
}

bool SoundChannel::isPlaying() const
{
    return m_chunk && Mix_Playing(m_mixerChannel);
}
