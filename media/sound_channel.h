#pragma once

#include <QString>

#include <memory>

struct Mix_Chunk;

// One sound channel, bound to one wave file and driven like a media player:
// open, rewind, play, pause, close. It plays on its own mixer channel, so
// restarting it cuts off only its own sound and channels mix freely. An
// operation that cannot be carried out (no audio device, a file that could
// not be loaded, a closed channel) does nothing and reports nothing.
class SoundChannel {
public:
    explicit SoundChannel(int mixerChannel);
    ~SoundChannel();
    SoundChannel(const SoundChannel&) = delete;
    SoundChannel& operator=(const SoundChannel&) = delete;

    // Loads the whole wave file; one that fails to load leaves it silent.
    void open(const QString& path);
    // Back to the start; a sound that is playing stops.
    void rewind();
    // Plays from the position to the end, without blocking. A sound that
    // played to its end must be rewound before it plays again.
    void play();
    // Stops, keeping the position for the next play.
    void pause();
    // Frees the sound; the channel is silent from then on.
    void close();
    // Rewind, then play: the sound starts again from its beginning.
    void restart();

    // Length of the opened sound in ms; 0 when nothing is open.
    [[nodiscard]] int lengthMs() const;
    [[nodiscard]] bool isOpen() const { return m_chunk != nullptr; }
    [[nodiscard]] bool isPlaying() const;

private:
    enum class Position { Start, Running, Paused };
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };

    int m_mixerChannel;
    std::unique_ptr<Mix_Chunk, ChunkDeleter> m_chunk;
    Position m_position = Position::Start;
};
