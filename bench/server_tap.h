#pragma once

#include "bench/sound_watch.h"

#include <pulse/pulseaudio.h>

// Records the sound server's default source, which on the benchmark's
// server is the monitor of the sink the game plays into, and hears each
// frame at the moment that sink played it, by the server's own clock for
// the recording. Connects to the server PULSE_SERVER names.
class ServerTap : public SoundWatch {
public:
    ServerTap();
    ~ServerTap();
    ServerTap(const ServerTap&) = delete;
    ServerTap& operator=(const ServerTap&) = delete;

    // The latency the server reports for the game's stream, in ms: what
    // waits in the stream's buffer plus the sink's own latency.
    [[nodiscard]] double gameStreamLatencyMs();

private:
    static void readable(pa_stream* stream, std::size_t bytes, void* tap);

    pa_threaded_mainloop* m_loop;
    pa_context* m_context;
    pa_stream* m_stream = nullptr;
};
