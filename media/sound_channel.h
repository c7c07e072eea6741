#pragma once

#include <QString>

#include <memory>

struct Mix_Chunk;

// One sound channel, bound to one wave file, which it plays from its
// beginning on its own mixer channel: playing it again cuts off only its own
// sound, and channels mix freely. An operation that cannot be carried out
// (no audio device, a file that could not be loaded, a closed channel) does
// nothing and reports nothing.
class SoundChannel {
public:
    explicit SoundChannel(int mixerChannel);
    ~SoundChannel();
    SoundChannel(const SoundChannel&) = delete;
    SoundChannel& operator=(const SoundChannel&) = delete;

    // Loads the whole wave file; one that fails to load leaves it silent.
    void open(const QString& path);
    // Plays the sound from its beginning, without blocking.
    void play();
    // Stops and frees the sound; the channel is silent from then on.
    void close();

    // Length of the opened sound in ms; 0 when nothing is open.
    [[nodiscard]] int lengthMs() const;
    [[nodiscard]] bool isOpen() const { return m_chunk != nullptr; }
    [[nodiscard]] bool isPlaying() const;

private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };

    int m_mixerChannel;
    std::unique_ptr<Mix_Chunk, ChunkDeleter> m_chunk;
};
