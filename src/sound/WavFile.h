#pragma once
// 16-bit PCM WAV files, decoded by us so that a sound is in memory, ready to
// mix, from the start on. Only what the game's sounds need: RIFF/WAVE with
// 16-bit PCM, mono or stereo, any sample rate.

#include <QByteArrayView>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace wq {

// Interleaved 16-bit samples.
struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<qint16> samples;
    qsizetype frames() const { return channels ? qsizetype(samples.size()) / channels : 0; }
};

// Nothing when the bytes are no 16-bit PCM WAV with at least one frame. A data
// chunk cut short by the end of the file gives the frames that are there; no
// size in the file makes it allocate more than the file holds.
std::optional<Pcm> decodeWav(QByteArrayView bytes);

// The same sound at another rate (linear interpolation) and channel count
// (mono is copied to both sides, stereo is averaged to mono). Unchanged
// samples are copied bit for bit.
Pcm convertPcm(const Pcm &pcm, int rate, int channels);

} // namespace wq
