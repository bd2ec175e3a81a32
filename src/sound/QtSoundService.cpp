#include "QtSoundService.h"

#include "SoundMixer.h"
#include "WavFile.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>

namespace wq {

namespace {

// What the stream holds ahead of what is heard, asked for; the server grants
// a little less (60 ms for 80). Qt tops it up 20 ms at a time, so with less
// than 80 the stream ran dry every few pulls on a busy two-core machine.
constexpr int kBufferMs = 80;
// Where a stream that keeps running dry stops growing: 100 ms granted, which
// held with three programs hogging both cores.
constexpr int kMostBufferMs = 150;
// How often the stream is looked after.
constexpr int kWatchMs = 500;

QtMessageHandler previousHandler = nullptr;

// Qt's PulseAudio backend warns when it finds no server and when the server
// goes away while the game runs. A game without sound is fine, so these stay
// off the console.
void withoutAudioServerWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    static constexpr QStringView backendWarnings[] = {u"PulseAudioService:", u"\"Stream error", u"Stream error",
                                                      u"pa_stream_", u"QAudioSink:", u"Got a buffer overflow"};
    const bool fromBackend =
        QByteArrayView(context.category ? context.category : "").startsWith("qt.multimedia")
        || std::any_of(std::begin(backendWarnings), std::end(backendWarnings),
                       [&](QStringView start) { return message.startsWith(start); });
    if ((type == QtWarningMsg || type == QtCriticalMsg) && fromBackend)
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

// Installed once, before Qt first looks for a server, and kept: the server
// may go at any time.
QAudioDevice defaultOutput()
{
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(withoutAudioServerWarnings);
        return true;
    }();
    Q_UNUSED(installed);
    return QMediaDevices::defaultAudioOutput();
}

// 16-bit at 48 kHz, the rate of our sounds, in the channel count the device
// prefers; another rate only if the device cannot take that one.
std::optional<QAudioFormat> streamFormat(const QAudioDevice &device)
{
    const QAudioFormat preferred = device.preferredFormat();
    const int channels = preferred.channelCount() == 1 ? 1 : 2;
    for (const int rate : {48000, preferred.sampleRate()}) {
        for (const int count : {channels, 3 - channels}) {
            QAudioFormat format;
            format.setSampleFormat(QAudioFormat::Int16);
            format.setSampleRate(rate);
            format.setChannelCount(count);
            if (rate > 0 && device.isFormatSupported(format))
                return format;
        }
    }
    return {};
}

} // namespace

// The stream's source: whatever the mixer makes of the voices playing, and
// silence while none does, so the stream never runs dry and never stops.
// The sink reads it on the audio thread while the game starts and stops
// sounds on its own, hence the lock around the mixer.
class MixerDevice final : public QIODevice {
public:
    explicit MixerDevice(int channels) : m_mixer(channels), m_frameBytes(2 * channels)
    {
        // Unbuffered: a buffered device would read ahead 16 kB, a sixth of a second.
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    void play(int key, SoundMixer::Samples sound)
    {
        const std::lock_guard lock(m_lock);
        m_mixer.play(key, sound);
    }
    void stopAll()
    {
        const std::lock_guard lock(m_lock);
        m_mixer.stopAll();
    }
    quint64 reads() const { return m_reads; }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 bytes = maxSize - maxSize % m_frameBytes;
        m_block.resize(std::size_t(bytes / 2));
        {
            const std::lock_guard lock(m_lock);
            m_mixer.mix(m_block);
        }
        std::memcpy(data, m_block.data(), std::size_t(bytes));
        ++m_reads;
        return bytes;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    std::mutex m_lock;
    SoundMixer m_mixer;
    const qint64 m_frameBytes;
    std::vector<qint16> m_block;
    std::atomic<quint64> m_reads = 0;
};


// The sound files of the folder, each decoded into the stream's format when
// it is first played: the clapping and the gong cost no memory until then.
struct QtSoundService::Sounds {
    struct Sound {
        QString path;
        std::optional<std::vector<qint16>> samples; // empty until decoded; nothing when damaged
        bool decoded = false;
    };
    // In a deque, so a sound's samples stay where they are while the mixer plays them.
    std::deque<Sound> sounds;
    QHash<QString, int> index; // lower-case file name -> sound
    int channels = 1;
    int rate = 48000;

    // The samples of sound `key`, decoded now if they were not; nothing for a damaged file.
    const std::vector<qint16> *samples(int key)
    {
        Sound &sound = sounds[std::size_t(key)];
        if (!sound.decoded) {
            sound.decoded = true;
            QFile in(sound.path);
            const uchar *bytes = in.open(QIODevice::ReadOnly) && in.size() > 0 ? in.map(0, in.size()) : nullptr;
            if (const std::optional<Pcm> pcm = bytes ? decodeWav(QByteArrayView(bytes, in.size())) : std::nullopt)
                sound.samples = convertPcm(*pcm, rate, channels).samples;
        }
        return sound.samples ? &*sound.samples : nullptr;
    }
};

namespace {
QtSoundService::Sounds findSounds(const QString &soundsFolder, const QAudioFormat &format)
{
    QtSoundService::Sounds found;
    found.channels = format.channelCount();
    found.rate = format.sampleRate();
    const QDir folder(soundsFolder);
    for (const QString &file : folder.entryList(QDir::Files)) {
        const QString key = file.toLower();
        if (!key.endsWith(QStringLiteral(".wav")) || found.index.contains(key))
            continue;
        found.index.insert(key, int(found.sounds.size()));
        found.sounds.push_back({folder.absoluteFilePath(file), std::nullopt, false});
    }
    return found;
}
} // namespace

// The audio thread: it decodes the sounds and opens the stream while the game
// window is still being made, then owns the sink, whose timer pulls the mixer
// every 20 ms, so a busy game window cannot starve the stream.
class QtSoundService::Output final : public QThread {
public:
    Output(const QAudioDevice &device, const QAudioFormat &format, const QString &soundsFolder)
        : m_device(device), m_format(format), m_soundsFolder(soundsFolder), m_mixer(format.channelCount())
    {
    }
    MixerDevice &mixer() { return m_mixer; }
    int bufferMs() const { return m_bufferMs; }
    int underruns() const { return m_underruns; }
    // The sounds once the stream runs; until then (and when it cannot be
    // opened) nothing. Only the game's thread decodes them.
    Sounds *playing() { return m_playing.load(std::memory_order_acquire) ? &m_sounds : nullptr; }

private:
    void run() override
    {
        m_sounds = findSounds(m_soundsFolder, m_format);
        QAudioSink sink(m_device, m_format);
        qsizetype buffer = m_format.bytesForDuration(kBufferMs * 1000);
        const qsizetype mostBuffer = m_format.bytesForDuration(kMostBufferMs * 1000);
        int dryBefore = 0;
        const auto startStream = [&] {
            sink.setBufferSize(buffer);
            sink.start(&m_mixer);
            m_bufferMs = int(m_format.durationForBytes(sink.bufferSize()) / 1000);
            dryBefore = m_underruns;
            return sink.state() != QAudio::StoppedState;
        };
        const auto growStream = [&] {
            sink.stop();
            buffer = std::min(buffer * 3 / 2, mostBuffer);
            startStream();
        };
        // Idle means the server ran dry: the mixer itself never runs out.
        QObject::connect(&sink, &QAudioSink::stateChanged, &sink, [this](QAudio::State state) {
            if (state == QAudio::IdleState)
                ++m_underruns;
        });
        if (!startStream())
            return;
        m_playing.store(true, std::memory_order_release);
        // A stream the server dropped (it went away) is opened again in case
        // it is back. Qt pulls only once 20 ms are free in the buffer, and the
        // server starts playing only once the buffer is nearly full: in a
        // buffer too short for both nothing ever plays, so a stream that takes
        // no data gets more room; so does one that ran dry more than once,
        // each time a gap in the sound, on a machine busier than planned for.
        QTimer watch;
        quint64 seen = m_mixer.reads();
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (sink.state() == QAudio::StoppedState)
                startStream();
            else if (m_mixer.reads() == seen || (m_underruns - dryBefore >= 2 && buffer < mostBuffer))
                growStream();
            seen = m_mixer.reads();
        });
        watch.start(kWatchMs);
        // A quit() that came before this returns at once.
        exec();
        m_playing.store(false, std::memory_order_release);
        sink.stop();
    }

    const QAudioDevice m_device;
    const QAudioFormat m_format;
    const QString m_soundsFolder;
    MixerDevice m_mixer;
    Sounds m_sounds; // found by the audio thread before m_playing, then the game's thread's
    std::atomic<bool> m_playing = false;
    std::atomic<int> m_bufferMs = 0;
    std::atomic<int> m_underruns = 0;
};

QtSoundService::QtSoundService(const QString &soundsFolder, bool startNow) : m_soundsFolder(soundsFolder)
{
    if (startNow)
        start();
}

void QtSoundService::start()
{
    if (m_started)
        return;
    m_started = true;
    const QAudioDevice device = defaultOutput();
    if (device.isNull())
        return;
    const std::optional<QAudioFormat> format = streamFormat(device);
    if (!format)
        return;
    m_output = std::make_unique<Output>(device, *format, m_soundsFolder);
    m_output->start();
}

QtSoundService::~QtSoundService()
{
    if (!m_output)
        return;
    m_output->mixer().stopAll();
    m_output->quit();
    // A stream that hangs in the audio server must not hang the game's end.
    if (!m_output->wait(10000))
        (void)m_output.release();
}

bool QtSoundService::hasOutput() const
{
    return m_output && m_output->playing();
}

bool QtSoundService::isLoaded() const
{
    Sounds *sounds = m_output ? m_output->playing() : nullptr;
    if (!sounds)
        return false;
    for (int key = 0; key < int(sounds->sounds.size()); ++key)
        if (!sounds->samples(key))
            return false;
    return true;
}

int QtSoundService::soundCount() const
{
    const Sounds *sounds = m_output ? m_output->playing() : nullptr;
    return sounds ? int(sounds->sounds.size()) : 0;
}

int QtSoundService::bufferMs() const
{
    return m_output ? m_output->bufferMs() : 0;
}

int QtSoundService::underruns() const
{
    return m_output ? m_output->underruns() : 0;
}

void QtSoundService::playNamed(const QString &name)
{
    playFile(name + QStringLiteral(".wav"));
}

void QtSoundService::playFile(const QString &fileName)
{
    Sounds *sounds = m_output ? m_output->playing() : nullptr;
    if (!sounds)
        return;
    const auto found = sounds->index.constFind(fileName.toLower());
    if (found == sounds->index.constEnd())
        return;
    if (const std::vector<qint16> *samples = sounds->samples(*found))
        m_output->mixer().play(*found, *samples);
}

void QtSoundService::stopAll()
{
    if (m_output)
        m_output->mixer().stopAll();
}

void QtSoundService::beep()
{
    QApplication::beep();
}

} // namespace wq
