#pragma once
// The mixing of the sounds that play at one time, without any device: each
// voice is a sound's samples and how far it has played. The caller holds the
// samples for as long as the mixer may play them, and serialises the calls.

#include <QtGlobal>
#include <span>
#include <vector>

namespace wq {

class SoundMixer {
public:
    // Interleaved samples in the output's format.
    using Samples = std::span<const qint16>;

    explicit SoundMixer(int channels) : m_channels(channels) {}

    // Starts `sound` from its beginning. A sound with the same key still
    // playing stops: asked for again, a sound restarts rather than doubles.
    void play(int key, Samples sound);
    void stopAll() { m_voices.clear(); }
    int voiceCount() const { return int(m_voices.size()); }

    // Fills `out` (whole frames) with the sum of every voice, clamped to the
    // 16-bit range, silence where none plays; finished voices are dropped.
    void mix(std::span<qint16> out);

private:
    struct Voice {
        int key;
        Samples sound;
        std::size_t position;
    };
    int m_channels;
    std::vector<Voice> m_voices;
    std::vector<qint32> m_sum;
};

} // namespace wq
