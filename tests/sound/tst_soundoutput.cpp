// The generated sounds as files, and real sound out of QtSoundService: it is
// played into the null sink "wandquiz_null" that scripts/start-audio.sh makes
// the default sink, and recorded back from that sink's monitor with parec.

#include "sound/QtSoundService.h"
#include "sound/WavFile.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <algorithm>
#include <functional>
#include <optional>
#include <span>

using namespace wq;

namespace {

struct Expected {
    const char *file;
    double minSeconds;
    double maxSeconds;
};

// Lengths of the files. Ticks are played up to 105 times in a row, once a
// second, so they must be short.
constexpr Expected kSounds[] = {
    {"time0.wav", 0.02, 0.15},    {"time1.wav", 0.02, 0.15},   {"time2.wav", 0.02, 0.15},
    {"time4.wav", 0.02, 0.15},    {"Gong.Wav", 1.0, 2.5},      {"clarinet.wav", 1.0, 2.5},
    {"correct.wav", 0.3, 1.0},    {"wrong.wav", 0.3, 1.0},     {"clapping.wav", 2.0, 4.0},
};

constexpr int kFullScale = 32767;
constexpr int kAudible = kFullScale / 100; // -40 dBFS
constexpr int kSilence = 64;               // a null sink gives exact zeros
constexpr int kRecordRate = 48000;
const QString kSink = QStringLiteral("wandquiz_null");

QString soundsFolder()
{
    return QStringLiteral(WANDQUIZ_BUILD_DATA_DIR "/sounds/");
}

using Samples = std::span<const qint16>;

Samples view(const QList<qint16> &list)
{
    return {list.constData(), std::size_t(list.size())};
}

struct Wav {
    int rate = 0;
    QList<qint16> samples; // first channel
    QString error;
    double seconds() const { return rate ? double(samples.size()) / rate : 0.0; }
};

// The first channel of a sound file, as the player decodes it.
Wav readWav(const QString &path)
{
    Wav wav;
    QFile file(path);
    const std::optional<Pcm> pcm = file.open(QIODevice::ReadOnly) ? decodeWav(file.readAll()) : std::nullopt;
    if (!pcm) {
        wav.error = path + ": no 16-bit PCM sound";
        return wav;
    }
    wav.rate = pcm->rate;
    for (std::size_t i = 0; i < pcm->samples.size(); i += std::size_t(pcm->channels))
        wav.samples.append(pcm->samples[i]);
    return wav;
}

int peakOf(Samples s)
{
    int peak = 0;
    for (qint16 v : s)
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

double rmsOf(Samples s)
{
    double sum = 0.0;
    for (qint16 v : s)
        sum += double(v) * v;
    return s.empty() ? 0.0 : std::sqrt(sum / double(s.size()));
}

// The loudest 100 ms, as RMS.
double loudestRms(Samples s, int rate)
{
    double best = 0.0;
    const std::size_t block = rate / 10;
    for (std::size_t at = 0; at + block <= s.size(); at += block / 2)
        best = std::max(best, rmsOf(s.subspan(at, block)));
    return best;
}

// First and last sample above `level`; first is -1 in silence.
std::pair<std::ptrdiff_t, std::ptrdiff_t> audibleRange(Samples s, int level)
{
    std::ptrdiff_t first = -1, last = -1;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (std::abs(int(s[i])) > level) {
            if (first < 0)
                first = std::ptrdiff_t(i);
            last = std::ptrdiff_t(i);
        }
    }
    return {first, last};
}

// Mono 16-bit at 48 kHz from the null sink's monitor, read as it comes.
class MonitorRecording {
public:
    MonitorRecording()
    {
        QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, [this] { take(); });
        m_parec.start(QStringLiteral("parec"),
                      {"--device=" + kSink + ".monitor", "--format=s16le", "--rate=48000", "--channels=1",
                       "--raw", "--latency-msec=20"});
    }
    ~MonitorRecording()
    {
        m_parec.terminate();
        if (!m_parec.waitForFinished(3000))
            m_parec.kill();
        m_parec.waitForFinished(3000);
    }
    qsizetype size()
    {
        take();
        return m_bytes.size() / 2;
    }
    // Keeps the event loop running (the sounds need it) until `count` samples came.
    bool waitFor(qsizetype count, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (size() < count && clock.elapsed() < timeoutMs && m_parec.state() != QProcess::NotRunning)
            QTest::qWait(10);
        return size() >= count;
    }
    QList<qint16> samples(qsizetype from, qsizetype to)
    {
        QList<qint16> out;
        for (qsizetype i = from; i < std::min(to, size()); ++i)
            out.append(qFromLittleEndian<qint16>(m_bytes.constData() + 2 * i));
        return out;
    }
    QString errors() { return QString::fromLocal8Bit(m_parec.readAllStandardError()); }

private:
    void take()
    {
        const QByteArray more = m_parec.readAllStandardOutput();
        if (more.isEmpty())
            return;
        m_bytes += more;
    }

    QProcess m_parec;
    QByteArray m_bytes;
};

struct Recording {
    QList<qint16> before; // 0.3 s before playing
    QList<qint16> after;  // from the call to play on
    QString error;
};

// Records a lead-in, plays, and records the sound and 1.5 s more.
Recording recordPlaying(const std::function<void()> &play, double seconds)
{
    Recording result;
    MonitorRecording recording;
    if (!recording.waitFor(kRecordRate * 3 / 10, 15000)) {
        result.error = "parec gave no samples: " + recording.errors();
        return result;
    }
    const qsizetype mark = recording.size();
    result.before = recording.samples(0, mark);
    play();
    const qsizetype end = mark + qsizetype((seconds + 1.5) * kRecordRate);
    if (!recording.waitFor(end, int(seconds * 1000) + 20000))
        result.error = "the recording stopped early: " + recording.errors();
    result.after = recording.samples(mark, end);
    return result;
}

QString pactl(const QStringList &arguments, bool *ok)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    *ok = process.waitForStarted(5000) && process.waitForFinished(10000)
          && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Why no sound can be recorded here, or empty when it can.
QString soundServerProblem()
{
    bool ok = false;
    pactl({QStringLiteral("info")}, &ok);
    if (!ok)
        return QStringLiteral("no PulseAudio server reachable through pactl (scripts/start-audio.sh)");
    const QString sink = pactl({QStringLiteral("get-default-sink")}, &ok);
    if (sink != kSink)
        return "the default sink is '" + sink + "', not " + kSink + " (scripts/start-audio.sh)";
    return {};
}

// Plays every sound as the game does while no server is there; run by
// silentWithoutAudioServer() as a child process of this test.
int playWithoutServer()
{
    QtSoundService sound(soundsFolder());
    for (const Expected &e : kSounds)
        sound.playFile(QString::fromLatin1(e.file).toUpper());
    sound.playNamed(QStringLiteral("correct"));
    QTest::qWait(500); // anything Qt says late would come now
    sound.stopAll();
    return sound.hasOutput() || sound.soundCount() != 0 ? 3 : 0;
}

} // namespace

class SoundOutputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Without a sound server the whole program is skipped, or fails when
    // sound is required (WANDQUIZ_REQUIRE_SOUND=1, as scripts/test.sh sets).
    void initTestCase()
    {
        if (const QString problem = soundServerProblem(); !problem.isEmpty()) {
            if (qEnvironmentVariable("WANDQUIZ_REQUIRE_SOUND") == u"1")
                QFAIL(qPrintable(problem));
            QSKIP(qPrintable(problem));
        }
    }

    void generatedSound_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("minSeconds");
        QTest::addColumn<double>("maxSeconds");
        for (const Expected &e : kSounds)
            QTest::newRow(e.file) << QString::fromLatin1(e.file) << e.minSeconds << e.maxSeconds;
    }

    void generatedSound()
    {
        QFETCH(QString, file);
        QFETCH(double, minSeconds);
        QFETCH(double, maxSeconds);
        const QString path = soundsFolder() + file;
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + " is missing (target wandquiz_sounds)"));
        const Wav wav = readWav(path);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        QVERIFY2(wav.seconds() >= minSeconds && wav.seconds() <= maxSeconds,
                 qPrintable(QString::number(wav.seconds()) + " s"));
        const Samples all = view(wav.samples);
        const int peak = peakOf(all);
        QVERIFY2(peak < kFullScale * 95 / 100, qPrintable(QString::number(peak))); // headroom, no clipping
        QVERIFY2(peak > kFullScale / 10, qPrintable(QString::number(peak)));       // and yet audible
        // Starts near zero and fades out, so neither starting nor ending clicks.
        QVERIFY(peakOf(all.first(4)) < kFullScale / 100);
        const std::size_t ms = wav.rate / 1000;
        QVERIFY2(peakOf(all.last(ms)) < kFullScale / 50, "the sound is cut off, not faded out");
    }

    // Without any audio server the game plays silently and prints nothing.
    void silentWithoutAudioServer()
    {
        QTemporaryDir runtime;
        QVERIFY(runtime.isValid());
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSE_SERVER", "unix:" + runtime.filePath("no-server"));
        env.insert("XDG_RUNTIME_DIR", runtime.path()); // else QStandardPaths warns
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("QT_LOGGING_RULES"); // all the game would print
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--play-without-server"});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromLocal8Bit(child.readAllStandardError()), QString());
        QCOMPARE(child.exitCode(), 0);
    }

    void playedSoundReachesTheSink_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("played"); // as the game asks for it
        QTest::newRow("gong") << QStringLiteral("Gong.Wav") << QStringLiteral("file:Gong.Wav");
        QTest::newRow("correct") << QStringLiteral("correct.wav") << QStringLiteral("named:correct");
    }

    void playedSoundReachesTheSink()
    {
        QFETCH(QString, file);
        QFETCH(QString, played);
        QtSoundService sound(soundsFolder());
        // The stream opens on the audio thread, beside the start of the game.
        QTRY_VERIFY2_WITH_TIMEOUT(sound.hasOutput(), "the server is there, but no audio stream runs", 10000);
        QCOMPARE(sound.soundCount(), int(std::size(kSounds)));
        QVERIFY(sound.isLoaded()); // every file decodes
        const Wav wav = readWav(soundsFolder() + file);
        QVERIFY(wav.error.isEmpty());
        QCOMPARE(wav.rate, kRecordRate);

        const QString name = played.section(u':', 1);
        const Recording recording = recordPlaying(
            [&] { played.startsWith(u"named:") ? sound.playNamed(name) : sound.playFile(name); },
            wav.seconds());
        QVERIFY2(recording.error.isEmpty(), qPrintable(recording.error));
        const Samples before = view(recording.before), after = view(recording.after);
        QVERIFY2(peakOf(before) <= kSilence, "the sink was not silent before playing");
        const double noise = rmsOf(before);
        QVERIFY2(loudestRms(after, kRecordRate) > 100.0 * (noise + 1.0), "nothing came out");

        // Sample by sample the file, from its first to its last audible
        // sample: nothing lost at the start or cut off at the end.
        const auto [fileFirst, fileLast] = audibleRange(view(wav.samples), kAudible);
        const auto [heardFirst, heardLast] = audibleRange(after, kAudible);
        QVERIFY(heardFirst >= 0);
        for (std::ptrdiff_t i = fileFirst; i <= fileLast; ++i) {
            const std::ptrdiff_t at = heardFirst + i - fileFirst;
            if (at >= std::ptrdiff_t(after.size()) || std::abs(after[at] - wav.samples[i]) > kAudible)
                QFAIL(qPrintable(QStringLiteral("the sink got something else %1 ms into the sound "
                                                "(the stream ran dry %2 times)")
                                     .arg(i * 1000 / wav.rate)
                                     .arg(sound.underruns())));
        }
        // Played once, then quiet.
        QCOMPARE(heardLast - heardFirst, fileLast - fileFirst);
        QVERIFY(peakOf(after.last(kRecordRate / 4)) <= kSilence);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--play-without-server")))
        return playWithoutServer();
    SoundOutputTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundoutput.moc"
