#include "media/sound_channel.h"

#include "media/wave_file.h"

#include <QFile>

#include <SDL_mixer.h>

#include <limits>

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

void SoundChannel::restart()
{
    rewind();
    play();
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

void SoundChannel::rewind()
{
    if (m_chunk)
        Mix_HaltChannel(m_mixerChannel);
    m_position = Position::Start;
}

void SoundChannel::play()
{
    if (!m_chunk)
        return;
    switch (m_position) {
    case Position::Start:
        if (Mix_PlayChannel(m_mixerChannel, m_chunk.get(), 0) == m_mixerChannel)
            m_position = Position::Running;
        break;
    case Position::Paused:
        Mix_Resume(m_mixerChannel);
        m_position = Position::Running;
        break;
    case Position::Running:
        break; // already playing, or played to its end
    }
}

void SoundChannel::pause()
{
    if (m_chunk && m_position == Position::Running && Mix_Playing(m_mixerChannel)) {
        Mix_Pause(m_mixerChannel);
        m_position = Position::Paused;
    }
}

void SoundChannel::close()
{
    if (m_chunk)
        Mix_HaltChannel(m_mixerChannel);
    m_chunk.reset();
    m_position = Position::Start;
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
    return m_chunk && m_position == Position::Running && Mix_Playing(m_mixerChannel) && !Mix_Paused(m_mixerChannel);
}
