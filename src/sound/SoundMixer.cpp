#include "SoundMixer.h"

#include <algorithm>

namespace wq {

void SoundMixer::play(int key, Samples sound)
{
    std::erase_if(m_voices, [key](const Voice &voice) { return voice.key == key; });
    sound = sound.first(sound.size() - sound.size() % std::size_t(m_channels));
    if (!sound.empty())
        m_voices.push_back({key, sound, 0});
}

void SoundMixer::mix(std::span<qint16> out)
{
    out = out.first(out.size() - out.size() % std::size_t(m_channels));
    m_sum.assign(out.size(), 0);
    for (Voice &voice : m_voices) {
        const std::size_t count = std::min(out.size(), voice.sound.size() - voice.position);
        const qint16 *from = voice.sound.data() + voice.position;
        for (std::size_t i = 0; i < count; ++i)
            m_sum[i] += from[i];
        voice.position += count;
    }
    std::erase_if(m_voices, [](const Voice &voice) { return voice.position >= voice.sound.size(); });
    // Loud sounds together saturate rather than wrap around into noise.
    std::transform(m_sum.begin(), m_sum.end(), out.begin(),
                   [](qint32 v) { return qint16(std::clamp<qint32>(v, -32768, 32767)); });
}

} // namespace wq
