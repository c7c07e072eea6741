#include "bench/sound_watch.h"

#include "bench/measuring.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr double kNsPerFrame = 1e9 / AudioDevice::kFrequency;
// Small fragments keep the waits short; the timing does not depend on them.
constexpr std::size_t kFragmentBytes = 64 * sizeof(qint16);

// Wakes the thread waiting on the main loop, at every change of state.
template <typename Object> void wake(Object*, void* loop)
{
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

// When the sink plays the frame at the head of the recording, by the
// server's latest report on it. A monitor records what the sink has mixed,
// which the sink plays after its own latency: at the report, the last frame
// mixed (the server's write index, plus what was on its way within the
// server) was due to play sink_usec later, and the frames before it one
// frame's time apart each, for the sink runs on the system's clock. So the
// way from the sink to us (fragments, the socket, our thread's wake-up)
// drops out of the timing: what is timed is the sound leaving the server,
// as a player would hear it. 0 before the first report.
qint64 playedAt(pa_stream* stream)
{
    const pa_timing_info* report = pa_stream_get_timing_info(stream);
    if (report == nullptr)
        return 0;
    const auto reportedAt = std::chrono::seconds(report->timestamp.tv_sec)
        + std::chrono::microseconds(report->timestamp.tv_usec); // the wall clock
    const qint64 sinceReport = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::system_clock::now().time_since_epoch() - reportedAt)
                                   .count();
    const qint64 framesBehind = (report->write_index - report->read_index) / qint64(sizeof(qint16));
    const qint64 lastDueIn = (qint64(report->sink_usec) - qint64(report->source_usec)) * 1000;
    return steadyNs() - sinceReport + lastDueIn - qint64(double(framesBehind) * kNsPerFrame);
}

} // namespace

void SoundWatch::heard(std::span<const qint16> block, qint64 firstNs, double nsPerFrame)
{
    const auto sound = std::ranges::find_if(block, [](qint16 sample) { return sample != 0; });
    if (sound == block.end()) {
        m_silentFrames += qint64(block.size());
        return;
    }
    if (m_armed.exchange(false))
        m_firstSound = firstNs + qint64(nsPerFrame * double(sound - block.begin()));
    m_silentFrames = 0;
}

MixerWatch::MixerWatch()
{
    Mix_SetPostMix(
        [](void* watch, quint8* stream, int bytes) {
            const std::span block(reinterpret_cast<const qint16*>(stream), std::size_t(bytes) / sizeof(qint16));
            static_cast<MixerWatch*>(watch)->heard(block, steadyNs(), 0);
        },
        this);
}

MixerWatch::~MixerWatch()
{
    Mix_SetPostMix(nullptr, nullptr);
}

ServerWatch::ServerWatch()
    : m_loop(pa_threaded_mainloop_new())
    , m_context(pa_context_new(pa_threaded_mainloop_get_api(m_loop), "pokori-bench"))
{
    pa_threaded_mainloop_start(m_loop);
    pa_threaded_mainloop_lock(m_loop);
    pa_context_set_state_callback(m_context, wake<pa_context>, m_loop);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        qFatal("cannot reach the sound server");
    for (pa_context_state_t s; (s = pa_context_get_state(m_context)) != PA_CONTEXT_READY;) {
        if (!PA_CONTEXT_IS_GOOD(s))
            qFatal("cannot reach the sound server: %s", pa_strerror(pa_context_errno(m_context)));
        pa_threaded_mainloop_wait(m_loop);
    }
    const pa_sample_spec format{PA_SAMPLE_S16NE, AudioDevice::kFrequency, 1};
    m_stream = pa_stream_new(m_context, "monitor", &format, nullptr);
    const pa_buffer_attr attr{uint32_t(-1), uint32_t(-1), uint32_t(-1), uint32_t(-1), kFragmentBytes};
    pa_stream_set_state_callback(m_stream, wake<pa_stream>, m_loop);
    pa_stream_set_read_callback(
        m_stream,
        [](pa_stream* stream, std::size_t, void* watch) {
            const void* data = nullptr;
            std::size_t bytes = 0;
            while (pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
                if (const qint64 played = playedAt(stream); data != nullptr && played != 0) {
                    const std::span block(static_cast<const qint16*>(data), bytes / sizeof(qint16));
                    static_cast<ServerWatch*>(watch)->heard(block, played, kNsPerFrame);
                }
                pa_stream_drop(stream);
            }
        },
        this);
    pa_stream_connect_record(m_stream, nullptr, &attr,
                             pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE));
    for (pa_stream_state_t s; (s = pa_stream_get_state(m_stream)) != PA_STREAM_READY;) {
        if (!PA_STREAM_IS_GOOD(s))
            qFatal("cannot record the monitor: %s", pa_strerror(pa_context_errno(m_context)));
        pa_threaded_mainloop_wait(m_loop);
    }
    pa_threaded_mainloop_unlock(m_loop);
}

ServerWatch::~ServerWatch()
{
    pa_threaded_mainloop_stop(m_loop);
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    pa_threaded_mainloop_free(m_loop);
}
