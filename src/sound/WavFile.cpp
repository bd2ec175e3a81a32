#include "WavFile.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace wq {

namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatExtensible = 0xfffe;
// The rest of the PCM sub-format GUID, after its first two bytes (1, 0).
constexpr char kPcmGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71";

struct Format {
    int channels = 0;
    int rate = 0;
};

std::optional<Format> readFormat(QByteArrayView fmt)
{
    const auto u16 = [&](qsizetype at) { return int(qFromLittleEndian<quint16>(fmt.data() + at)); };
    if (fmt.size() < 16)
        return {};
    int tag = u16(0);
    if (tag == kFormatExtensible) {
        if (fmt.size() < 40 || fmt.sliced(26, 14) != QByteArrayView(kPcmGuidTail, 14))
            return {};
        tag = u16(24);
    }
    Format format;
    format.channels = u16(2);
    format.rate = int(qFromLittleEndian<quint32>(fmt.data() + 4));
    // Rates outside this range are no sound we make; they also bound what
    // resampling to the output rate may allocate.
    if (tag != kFormatPcm || u16(14) != 16 || (format.channels != 1 && format.channels != 2)
        || u16(12) != 2 * format.channels || format.rate < 8000 || format.rate > 192000)
        return {};
    return format;
}

} // namespace

std::optional<Pcm> decodeWav(QByteArrayView bytes)
{
    const qint64 size = bytes.size();
    if (size < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE")
        return {};
    // The RIFF size is left out of account: writers that stream often leave it wrong.
    std::optional<Format> format;
    qint64 at = 12;
    while (size - at >= 8) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qint64 chunkSize = qFromLittleEndian<quint32>(bytes.data() + at + 4);
        const qint64 body = at + 8;
        const qint64 available = size - body;
        if (id == "data") {
            if (!format)
                return {};
            // A cut-off recording keeps what it has.
            const qint64 frames = std::min(chunkSize, available) / (2 * format->channels);
            if (frames == 0)
                return {};
            Pcm pcm;
            pcm.rate = format->rate;
            pcm.channels = format->channels;
            pcm.samples.resize(std::size_t(frames * format->channels));
            const char *from = bytes.data() + body;
            for (std::size_t i = 0; i < pcm.samples.size(); ++i)
                pcm.samples[i] = qFromLittleEndian<qint16>(from + 2 * i);
            return pcm;
        }
        if (chunkSize > available)
            return {};
        if (id == "fmt ") {
            format = readFormat(bytes.sliced(body, chunkSize));
            if (!format)
                return {};
        }
        at = body + chunkSize + (chunkSize & 1);
    }
    return {};
}

Pcm convertPcm(const Pcm &pcm, int rate, int channels)
{
    Pcm out;
    out.rate = rate;
    out.channels = channels;
    const qint64 inFrames = pcm.frames();
    if (inFrames == 0 || rate <= 0 || pcm.rate <= 0 || channels < 1 || channels > 2)
        return out;
    const auto sample = [&](qint64 frame, int channel) {
        const qint16 *f = pcm.samples.data() + frame * pcm.channels;
        if (pcm.channels == channels)
            return int(f[channel]);
        return pcm.channels == 1 ? int(f[0]) : (int(f[0]) + int(f[1])) / 2;
    };
    const qint64 outFrames =
        pcm.rate == rate ? inFrames : std::max<qint64>(1, (inFrames * rate + pcm.rate / 2) / pcm.rate);
    out.samples.resize(std::size_t(outFrames * channels));
    for (qint64 i = 0; i < outFrames; ++i) {
        // Output frame i lies at input position i * pcm.rate / rate.
        const qint64 exact = i * pcm.rate;
        const qint64 left = std::min(exact / rate, inFrames - 1);
        const qint64 right = std::min(left + 1, inFrames - 1);
        const double fraction = double(exact - left * rate) / rate;
        for (int c = 0; c < channels; ++c) {
            const int a = sample(left, c);
            const int b = sample(right, c);
            out.samples[std::size_t(i * channels + c)] =
                qint16(fraction == 0.0 ? a : std::lround(a + (b - a) * fraction));
        }
    }
    return out;
}

} // namespace wq
