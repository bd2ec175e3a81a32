// The parts of sound output that need no device: reading WAV files (our own
// and damaged or hostile ones), converting rate and channels, and mixing.

#include "sound/SoundMixer.h"
#include "sound/WavFile.h"

#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <numbers>

using namespace wq;

namespace {

QByteArray le(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
    return out;
}

QByteArray chunk(const char *id, const QByteArray &body, quint32 size)
{
    return QByteArray(id, 4) + le(size, 4) + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray chunk(const char *id, const QByteArray &body)
{
    return chunk(id, body, quint32(body.size()));
}

QByteArray fmt(int channels, int rate, int tag = 1, int bits = 16, int align = 0)
{
    align = align ? align : channels * bits / 8;
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2)
                             + le(bits, 2));
}

QByteArray samples(const std::vector<qint16> &values)
{
    QByteArray out;
    for (qint16 v : values)
        out += le(quint16(v), 2);
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
    void decodesPcm()
    {
        // An unknown chunk of odd size (padded) before the format, and one
        // after the data: both skipped.
        const QByteArray file = riff(chunk("LIST", "abc") + fmt(1, 44100) + chunk("data", samples(kSome))
                                     + chunk("cue ", "xx"));
        const std::optional<Pcm> mono = decodeWav(file);
        QVERIFY(mono);
        QCOMPARE(mono->rate, 44100);
        QCOMPARE(mono->channels, 1);
        QCOMPARE(mono->samples, kSome);

        const std::optional<Pcm> stereo = decodeWav(riff(fmt(2, 48000) + chunk("data", samples(kSome))));
        QVERIFY(stereo);
        QCOMPARE(stereo->frames(), 3);
        QCOMPARE(stereo->samples, kSome);

        // WAVE_FORMAT_EXTENSIBLE with the PCM sub-format.
        const QByteArray guidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 14);
        const QByteArray extensible = le(0xfffe, 2) + le(2, 2) + le(32000, 4) + le(128000, 4) + le(4, 2)
                                      + le(16, 2) + le(22, 2) + le(16, 2) + le(3, 4) + le(1, 2) + guidTail;
        const std::optional<Pcm> ext = decodeWav(riff(chunk("fmt ", extensible) + chunk("data", samples(kSome))));
        QVERIFY(ext);
        QCOMPARE(ext->rate, 32000);
        QCOMPARE(ext->samples, kSome);
    }

    // A data chunk that claims more than the file holds keeps the whole frames there are.
    void keepsWhatACutFileHolds()
    {
        const QByteArray file = riff(fmt(1, 48000)) + "data" + le(0xfffffff0u, 4) + samples(kSome) + "z";
        const std::optional<Pcm> pcm = decodeWav(file);
        QVERIFY(pcm);
        QCOMPARE(pcm->samples, kSome);
        QVERIFY(pcm->samples.capacity() <= kSome.size());
    }

    void rejectsDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray data = chunk("data", samples(kSome));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << riff({}).left(11);
        QTest::newRow("not RIFF") << riff(fmt(1, 48000) + data).replace(0, 4, "RIFX");
        QTest::newRow("no data") << riff(fmt(1, 48000));
        QTest::newRow("data before fmt") << riff(data + fmt(1, 48000));
        QTest::newRow("half a stereo frame") << riff(fmt(2, 48000) + chunk("data", samples({5})));
        QTest::newRow("float") << riff(fmt(1, 48000, 3, 32) + data);
        QTest::newRow("24 bit") << riff(fmt(1, 48000, 1, 24) + data);
        QTest::newRow("3 channels") << riff(fmt(3, 48000) + data);
        QTest::newRow("wrong frame size") << riff(fmt(2, 48000, 1, 16, 2) + data);
        QTest::newRow("rate 0") << riff(fmt(1, 0) + data);
        QTest::newRow("extensible, not PCM")
            << riff(chunk("fmt ", le(0xfffe, 2) + le(1, 2) + le(48000, 4) + le(96000, 4) + le(2, 2) + le(16, 2)
                                      + le(22, 2) + le(16, 2) + le(4, 4) + le(3, 2) + QByteArray(14, '\x01'))
                   + data);
        QTest::newRow("huge fmt") << riff(chunk("fmt ", fmt(1, 48000).mid(8), 0xffffffffu) + data);
        QTest::newRow("huge chunk before data") << riff(fmt(1, 48000) + chunk("LIST", "ab", 0x7fffffff) + data);
    }

    void rejectsDamagedFiles()
    {
        QFETCH(QByteArray, file);
        QVERIFY(!decodeWav(file));
    }

    // Every cut of a good file is rejected or gives at most the frames it holds.
    void everyCutIsSafe()
    {
        const QByteArray file = riff(chunk("LIST", "abc") + fmt(2, 48000) + chunk("data", samples(kSome)));
        for (qsizetype length = 0; length <= file.size(); ++length) {
            const std::optional<Pcm> pcm = decodeWav(QByteArrayView(file).first(length));
            if (pcm)
                QVERIFY2(pcm->frames() >= 1 && std::size_t(pcm->frames()) * 4 <= std::size_t(length),
                         qPrintable(QString::number(length)));
        }
    }

    void convertsChannels()
    {
        const Pcm mono{48000, 1, {100, -200, 32767}};
        QCOMPARE(convertPcm(mono, 48000, 1).samples, mono.samples);
        QCOMPARE(convertPcm(mono, 48000, 2).samples, (std::vector<qint16>{100, 100, -200, -200, 32767, 32767}));
        const Pcm stereo{48000, 2, {100, 300, -32768, -32768, 32767, 32766}};
        QCOMPARE(convertPcm(stereo, 48000, 1).samples, (std::vector<qint16>{200, -32768, 32766}));
        QCOMPARE(convertPcm(stereo, 48000, 2).samples, stereo.samples);
    }

    void resamplesLinearly()
    {
        const Pcm low{24000, 1, {0, 100, -100, 1000}};
        const Pcm doubled = convertPcm(low, 48000, 1);
        QCOMPARE(doubled.rate, 48000);
        QCOMPARE(doubled.samples, (std::vector<qint16>{0, 50, 100, 0, -100, 450, 1000, 1000}));

        // A 1 kHz tone from 44.1 kHz: the same tone at 48 kHz, as long as before.
        Pcm tone{44100, 1, {}};
        for (int i = 0; i < 44100 / 10; ++i)
            tone.samples.push_back(qint16(std::lround(10000 * std::sin(2 * std::numbers::pi * 1000 * i / 44100))));
        const Pcm up = convertPcm(tone, 48000, 2);
        QCOMPARE(up.frames(), 4800);
        double worst = 0;
        for (qsizetype i = 0; i < up.frames() - 1; ++i) {
            const double ideal = 10000 * std::sin(2 * std::numbers::pi * 1000 * double(i) / 48000);
            worst = std::max({worst, std::abs(up.samples[2 * i] - ideal), std::abs(up.samples[2 * i + 1] - ideal)});
        }
        QVERIFY2(worst < 40, qPrintable(QString::number(worst)));
        QCOMPARE(convertPcm(tone, 8000, 1).frames(), 800);
    }

    void mixesVoices()
    {
        SoundMixer mixer(1);
        QCOMPARE(mixed(mixer, 4), (std::vector<qint16>(4, 0))); // silence, not what the buffer held

        // One voice comes out unchanged across blocks of any size, then silence.
        const std::vector<qint16> sound = {1, -2, 3, -4, 5, -6, 7};
        mixer.play(1, sound);
        std::vector<qint16> heard = mixed(mixer, 3);
        const std::vector<qint16> rest = mixed(mixer, 6);
        heard.insert(heard.end(), rest.begin(), rest.end());
        QCOMPARE(heard, (std::vector<qint16>{1, -2, 3, -4, 5, -6, 7, 0, 0}));
        QCOMPARE(mixer.voiceCount(), 0);

        // Two voices add up and saturate instead of wrapping around.
        const std::vector<qint16> loud = {30000, -30000, 100, 2};
        const std::vector<qint16> other = {30000, -30000, -50};
        mixer.play(1, loud);
        mixer.play(2, other);
        QCOMPARE(mixed(mixer, 5), (std::vector<qint16>{32767, -32768, 50, 2, 0}));

        mixer.play(1, loud);
        mixer.play(2, loud);
        mixer.stopAll();
        QCOMPARE(mixed(mixer, 2), (std::vector<qint16>(2, 0)));
    }

    // Asked for again while it sounds, a sound starts over instead of doubling.
    void replayRestartsTheVoice()
    {
        SoundMixer mixer(2);
        const std::vector<qint16> sound = {10, 11, 20, 21, 30, 31, 40}; // half a frame at the end
        mixer.play(7, sound);
        // Whole frames only: the half frame at the end of the buffer is left alone.
        QCOMPARE(mixed(mixer, 5), (std::vector<qint16>{10, 11, 20, 21, 12345}));
        mixer.play(7, sound);
        QCOMPARE(mixer.voiceCount(), 1);
        QCOMPARE(mixed(mixer, 8), (std::vector<qint16>{10, 11, 20, 21, 30, 31, 0, 0}));
        // Another key is another voice, even with the same samples.
        mixer.play(7, sound);
        mixer.play(8, sound);
        QCOMPARE(mixed(mixer, 2), (std::vector<qint16>{20, 22}));
    }
};

QTEST_APPLESS_MAIN(SoundMixerTest)

#include "tst_soundmixer.moc"
