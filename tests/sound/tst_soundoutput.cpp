// Real sound out of QtSoundService, recorded from the null sink's monitor (scripts/start-audio.sh) with parec.

#include "sound/QtSoundService.h"
#include "sound/WavFile.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <span>

using namespace wq;

namespace {
constexpr int kAudible = 32767 / 100; // -40 dBFS
constexpr int kSilence = 64;          // a null sink gives exact zeros
const QString kSink = QStringLiteral("wandquiz_null");
const QString kFolder = QStringLiteral(WANDQUIZ_BUILD_DATA_DIR "/sounds/");
using Samples = std::span<const qint16>;

// First and last sample above `level`; first is -1 in silence.
std::pair<std::ptrdiff_t, std::ptrdiff_t> audibleRange(Samples s, int level)
{
    std::ptrdiff_t first = -1, last = -1;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::abs(int(s[i])) > level) {
            first = first < 0 ? std::ptrdiff_t(i) : first;
            last = std::ptrdiff_t(i);
        }
    return {first, last};
}

QString soundServerProblem()
{
    QProcess pactl;
    pactl.start("pactl", {"get-default-sink"});
    if (!pactl.waitForFinished(10000) || pactl.exitStatus() != QProcess::NormalExit || pactl.exitCode() != 0)
        return "no PulseAudio server reachable through pactl (scripts/start-audio.sh)";
    const QString sink = QString::fromLocal8Bit(pactl.readAllStandardOutput()).trimmed();
    return sink == kSink ? QString() : "the default sink is '" + sink + "', not " + kSink;
}

// Every sound played with no server there; the child process of silentWithoutAudioServer().
int playWithoutServer()
{
    QtSoundService sound(kFolder);
    for (const QString &file : QDir(kFolder).entryList(QDir::Files))
        sound.playFile(file.toUpper());
    sound.playNamed(QStringLiteral("correct"));
    QTest::qWait(500); // anything Qt says late would come now
    sound.stopAll();
    return sound.hasOutput() || sound.soundCount() != 0 ? 3 : 0;
}
} // namespace

class SoundOutputTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // No sound server: skipped, or failed under WANDQUIZ_REQUIRE_SOUND=1.
    void initTestCase()
    {
        if (const QString problem = soundServerProblem(); !problem.isEmpty()) {
            if (qEnvironmentVariable("WANDQUIZ_REQUIRE_SOUND") == u"1")
                QFAIL(qPrintable(problem));
            QSKIP(qPrintable(problem));
        }
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
        QTest::addColumn<bool>("named"); // asked for by name, as the game does, or by file
        QTest::newRow("gong") << QStringLiteral("Gong.Wav") << false;
        QTest::newRow("correct") << QStringLiteral("correct.wav") << true;
    }

    void playedSoundReachesTheSink()
    {
        QFETCH(QString, file);
        QFETCH(bool, named);
        QtSoundService sound(kFolder);
        // The stream opens on the audio thread, beside the start of the game.
        QTRY_VERIFY2_WITH_TIMEOUT(sound.hasOutput(), "the server is there, but no audio stream runs", 10000);
        QCOMPARE(sound.soundCount(), 9);
        QVERIFY(sound.isLoaded()); // every file decodes
        QFile wavFile(kFolder + file);
        const std::optional<Pcm> pcm = wavFile.open(QIODevice::ReadOnly) ? decodeWav(wavFile.readAll()) : std::nullopt;
        QVERIFY(pcm && pcm->rate == 48000 && pcm->channels == 1); // as the sink is recorded
        const std::vector<qint16> &wav = pcm->samples;

        // 0.3 s before playing, then the sound and 1.5 s more, the event loop running.
        QProcess parec;
        parec.start("parec", {"--device=" + kSink + ".monitor", "--format=s16le", "--rate=48000",
                              "--channels=1", "--raw", "--latency-msec=20"});
        QByteArray bytes;
        const auto recordUntil = [&](qsizetype count) {
            QElapsedTimer clock;
            clock.start();
            while ((bytes += parec.readAllStandardOutput()).size() / 2 < count && clock.elapsed() < 20000
                   && parec.state() != QProcess::NotRunning)
                QTest::qWait(10);
            return bytes.size() / 2 >= count;
        };
        QVERIFY2(recordUntil(48000 * 3 / 10), ("parec gave no samples: " + parec.readAllStandardError()).constData());
        const qsizetype mark = bytes.size() / 2, end = mark + qsizetype(wav.size()) + 48000 * 3 / 2;
        const QString name = named ? QFileInfo(file).baseName() : file;
        named ? sound.playNamed(name) : sound.playFile(name);
        QVERIFY2(recordUntil(end), ("the recording stopped early: " + parec.readAllStandardError()).constData());
        parec.kill();
        parec.waitForFinished(3000);
        std::vector<qint16> recorded(static_cast<std::size_t>(end));
        qFromLittleEndian<qint16>(bytes.constData(), end, recorded.data());
        QVERIFY2(audibleRange(Samples(recorded).first(mark), kSilence).first < 0, "the sink was not silent before playing");
        const Samples after = Samples(recorded).subspan(mark);

        // Sample by sample from the first to the last audible one: nothing lost or cut off.
        const auto [fileFirst, fileLast] = audibleRange(wav, kAudible);
        const auto [heardFirst, heardLast] = audibleRange(after, kAudible);
        QVERIFY2(heardFirst >= 0, "nothing came out");
        for (std::ptrdiff_t i = fileFirst; i <= fileLast; ++i) {
            const std::ptrdiff_t at = heardFirst + i - fileFirst;
            if (at >= std::ptrdiff_t(after.size()) || std::abs(after[at] - wav[i]) > kAudible)
                QFAIL(qPrintable(QStringLiteral("the sink got something else %1 ms into the sound "
                                                "(the stream ran dry %2 times)").arg(i / 48).arg(sound.underruns())));
        }
        // Played once, then quiet.
        QCOMPARE(heardLast - heardFirst, fileLast - fileFirst);
        QVERIFY(audibleRange(after.last(48000 / 4), kSilence).first < 0);
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
