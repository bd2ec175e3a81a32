// Sound without a device: WAV files good, damaged and hostile; rate and channel conversion; mixing.

#include "sound/SoundMixer.h"
#include "sound/WavFile.h"

#include <QtEndian>
#include <QtTest>
#include <numeric>

using namespace wq;

namespace {
QByteArray le(quint32 value, int bytes)
{
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out.first(bytes);
}

// A chunk, padded to an even size; `size` is what its header claims.
QByteArray chunk(const char *id, const QByteArray &body, qint64 size = -1)
{
    return QByteArray(id, 4) + le(quint32(size < 0 ? body.size() : size), 4) + body
           + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray fmt(int channels, int rate, int tag = 1, int bits = 16, int align = 0)
{
    align = align ? align : channels * bits / 8;
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) + le(bits, 2));
}

QByteArray samples(const std::vector<qint16> &values)
{
    QByteArray out(qsizetype(values.size()) * 2, '\0');
    qToLittleEndian<qint16>(values.data(), qsizetype(values.size()), out.data());
    return out;
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le(quint32(chunks.size() + 4), 4) + "WAVE" + chunks;
}

const std::vector<qint16> kSome = {0, 1000, -1000, 32767, -32768, 7};

std::vector<qint16> mixed(SoundMixer &mixer, std::size_t count)
{
    std::vector<qint16> out(count, qint16(12345)); // whatever was in the buffer
    mixer.mix(out);
    return out;
}
} // namespace

class SoundMixerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodesPcmAndRefusesDamagedFiles()
    {
        const QByteArray data = chunk("data", samples(kSome));
        // An unknown chunk of odd size (padded) before the format, and one after the data: both skipped.
        const std::optional<Pcm> mono = decodeWav(riff(chunk("LIST", "abc") + fmt(1, 44100) + data + chunk("cue ", "xx")));
        QVERIFY(mono && mono->rate == 44100 && mono->channels == 1);
        QCOMPARE(mono->samples, kSome);
        const std::optional<Pcm> stereo = decodeWav(riff(fmt(2, 48000) + data));
        QVERIFY(stereo && stereo->frames() == 3);
        QCOMPARE(stereo->samples, kSome);
        // WAVE_FORMAT_EXTENSIBLE with the PCM sub-format.
        const QByteArray guidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 14);
        const QByteArray extensible = le(0xfffe, 2) + le(2, 2) + le(32000, 4) + le(128000, 4) + le(4, 2)
                                      + le(16, 2) + le(22, 2) + le(16, 2) + le(3, 4) + le(1, 2) + guidTail;
        const std::optional<Pcm> ext = decodeWav(riff(chunk("fmt ", extensible) + data));
        QVERIFY(ext && ext->rate == 32000);
        QCOMPARE(ext->samples, kSome);

        // A data chunk claiming too much, or any cut of a file: only the whole frames it holds.
        const std::optional<Pcm> pcm = decodeWav(riff(fmt(1, 48000)) + "data" + le(0xfffffff0u, 4) + samples(kSome) + "z");
        QVERIFY(pcm && pcm->samples.capacity() <= kSome.size());
        QCOMPARE(pcm->samples, kSome);
        const QByteArray file = riff(chunk("LIST", "abc") + fmt(2, 48000) + data);
        for (qsizetype length = 0; length <= file.size(); ++length) {
            const std::optional<Pcm> cut = decodeWav(QByteArrayView(file).first(length));
            QVERIFY2(!cut || (cut->frames() >= 1 && std::size_t(cut->frames()) * 4 <= std::size_t(length)),
                     qPrintable(QString::number(length)));
        }
        // Damaged or unsupported: refused.
        const QByteArray extensibleFloat = le(0xfffe, 2) + le(1, 2) + le(48000, 4) + le(96000, 4) + le(2, 2)
                                           + le(16, 2) + le(22, 2) + le(16, 2) + le(4, 4) + le(3, 2) + QByteArray(14, 1);
        const QList<QByteArray> files = {
            {}, riff({}).left(11), riff(fmt(1, 48000) + data).replace(0, 4, "RIFX"), riff(fmt(1, 48000)),
            riff(data + fmt(1, 48000)), riff(fmt(2, 48000) + chunk("data", samples({5}))), // half a stereo frame
            riff(fmt(1, 48000, 3, 32) + data), riff(fmt(1, 48000, 1, 24) + data), riff(fmt(3, 48000) + data),
            riff(fmt(2, 48000, 1, 16, 2) + data), riff(fmt(1, 0) + data), riff(chunk("fmt ", extensibleFloat) + data),
            riff(chunk("fmt ", fmt(1, 48000).mid(8), 0xffffffffu) + data),
            riff(fmt(1, 48000) + chunk("LIST", "ab", 0x7fffffff) + data),
        };
        for (qsizetype i = 0; i < files.size(); ++i)
            QVERIFY2(!decodeWav(files[i]), qPrintable(QString("file %1").arg(i)));
    }

    void convertsChannelsAndRate()
    {
        const Pcm mono{48000, 1, {100, -200, 32767}};
        QCOMPARE(convertPcm(mono, 48000, 1).samples, mono.samples);
        QCOMPARE(convertPcm(mono, 48000, 2).samples, (std::vector<qint16>{100, 100, -200, -200, 32767, 32767}));
        const Pcm stereo{48000, 2, {100, 300, -32768, -32768, 32767, 32766}};
        QCOMPARE(convertPcm(stereo, 48000, 1).samples, (std::vector<qint16>{200, -32768, 32766}));
        QCOMPARE(convertPcm(stereo, 48000, 2).samples, stereo.samples);
        // Rates by linear interpolation.
        const Pcm doubled = convertPcm({24000, 1, {0, 100, -100, 1000}}, 48000, 1);
        QCOMPARE(doubled.rate, 48000);
        QCOMPARE(doubled.samples, (std::vector<qint16>{0, 50, 100, 0, -100, 450, 1000, 1000}));
        // 3 to 4: output frames at input 0, 0.75, 1.5, 2.25 and 3.
        QCOMPARE(convertPcm({3, 1, {0, 400, -400, 1000}}, 4, 1).samples, (std::vector<qint16>{0, 300, 0, -50, 1000}));
        // No drift over 0.1 s: frames 480 and 4001 at 48 kHz are input 441 and 3675.92.
        Pcm ramp{44100, 1, std::vector<qint16>(4410)};
        std::iota(ramp.samples.begin(), ramp.samples.end(), qint16(0));
        const Pcm up = convertPcm(ramp, 48000, 2);
        QCOMPARE(up.frames(), 4800);
        QCOMPARE((std::vector<qint16>{up.samples[960], up.samples[961], up.samples[8002]}), (std::vector<qint16>{441, 441, 3676}));
        QCOMPARE(convertPcm(ramp, 8000, 1).frames(), 800);
    }

    void mixesVoices()
    {
        SoundMixer mixer(1);
        QCOMPARE(mixed(mixer, 4), (std::vector<qint16>(4, 0))); // silence, not what the buffer held
        // One voice comes out unchanged across blocks of any size, then silence.
        const std::vector<qint16> sound = {1, -2, 3, -4, 5, -6, 7};
        mixer.play(1, sound);
        QCOMPARE(mixed(mixer, 3), (std::vector<qint16>{1, -2, 3}));
        QCOMPARE(mixed(mixer, 6), (std::vector<qint16>{-4, 5, -6, 7, 0, 0}));
        QCOMPARE(mixer.voiceCount(), 0);
        // Two voices add up and saturate instead of wrapping around.
        const std::vector<qint16> loud = {30000, -30000, 100, 2}, other = {30000, -30000, -50};
        mixer.play(1, loud);
        mixer.play(2, other);
        QCOMPARE(mixed(mixer, 5), (std::vector<qint16>{32767, -32768, 50, 2, 0}));
        mixer.play(1, loud);
        mixer.play(2, loud);
        mixer.stopAll();
        QCOMPARE(mixed(mixer, 2), (std::vector<qint16>(2, 0)));

        // Stereo; asked for again while it sounds, a sound starts over instead of doubling.
        SoundMixer stereo(2);
        const std::vector<qint16> pairs = {10, 11, 20, 21, 30, 31, 40}; // half a frame at the end
        stereo.play(7, pairs);
        // Whole frames only: the half frame at the end of the buffer is left alone.
        QCOMPARE(mixed(stereo, 5), (std::vector<qint16>{10, 11, 20, 21, 12345}));
        stereo.play(7, pairs);
        QCOMPARE(stereo.voiceCount(), 1);
        QCOMPARE(mixed(stereo, 8), (std::vector<qint16>{10, 11, 20, 21, 30, 31, 0, 0}));
        // Another key is another voice, even with the same samples.
        stereo.play(7, pairs);
        stereo.play(8, pairs);
        QCOMPARE(mixed(stereo, 2), (std::vector<qint16>{20, 22}));
    }
};

QTEST_APPLESS_MAIN(SoundMixerTest)

#include "tst_soundmixer.moc"
