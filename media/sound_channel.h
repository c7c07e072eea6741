#pragma once

#include <QString>
#include <QStringView>

#include <memory>

struct Mix_Chunk;

// One sound channel, bound for the program's life to one wave file and
// driven by command words, like a media-player control:
//   "open"  loads the wave file (a file that fails to load leaves it silent),
//   "prev"  moves to the start and stops a sound that is playing,
//   "play"  plays from the position without blocking,
//   "stop"  stops, keeping the position,
//   "close" frees the sound; the channel is silent from then on.
// It plays on its own mixer channel, so restarting it ("prev", "play") cuts
// off only its own sound and channels mix freely. A command that cannot be
// carried out does nothing and reports nothing.
class SoundChannel {
public:
    explicit SoundChannel(int mixerChannel);
    ~SoundChannel();
    SoundChannel(const SoundChannel&) = delete;
    SoundChannel& operator=(const SoundChannel&) = delete;

    void setFileName(const QString& fileName) { m_fileName = fileName; }
    [[nodiscard]] const QString& fileName() const { return m_fileName; }

    void command(QStringView word);
    // "prev", then "play": the sound starts again from its beginning.
    void restart();

    // Length of the opened sound in ms; 0 when nothing is open.
    [[nodiscard]] qint64 length() const;
    [[nodiscard]] bool isOpen() const { return m_chunk != nullptr; }
    [[nodiscard]] bool isPlaying() const;

private:
    enum class Position { Start, Running, Paused };
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };

    void open();
    void prev();
    void play();
    void stop();
    void close();

    int m_mixerChannel;
    QString m_fileName;
    std::unique_ptr<Mix_Chunk, ChunkDeleter> m_chunk;
    Position m_position = Position::Start;
};
