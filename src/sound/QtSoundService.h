#pragma once
// Sound through one audio stream that runs from start to end, opened on an
// audio thread of its own; a sound asked for before the stream runs is not
// heard. Each sound file is decoded into the stream's format when it is first
// played, and kept. Playing a sound hands it to a mixer that feeds the stream,
// with silence while nothing plays. (QSoundEffect, a stream per sound, went
// silent after a few plays of the same tick under PulseAudio, and a fresh one
// per play starts late.) Files are found without regard to letter case, so
// "time4.Wav" and "time4.wav" name the same sound; named sounds are files too
// ("correct" plays correct.wav). Without an audio output nothing is heard and
// nothing is said about it.

#include "host/HostServices.h"

#include <memory>

namespace wq {

class QtSoundService final : public SoundService {
public:
    // The audio thread starts at once, or with start(): the game starts it
    // once its window shows, so the window does not wait for it.
    explicit QtSoundService(const QString &soundsFolder, bool startNow = true);
    ~QtSoundService() override;

    // Starts the audio thread, once; later calls do nothing.
    void start();

    void playNamed(const QString &name) override;
    void playFile(const QString &fileName) override;
    void stopAll() override;
    // The system beep.
    void beep() override;

    // The audio stream runs, so sounds are played.
    bool hasOutput() const;
    // Every sound file of the folder decodes (a damaged one is never heard);
    // decodes those not played yet.
    bool isLoaded() const;
    int soundCount() const;
    // How much sound the stream holds ahead of what is heard, in milliseconds.
    int bufferMs() const;
    // How often the stream ran dry since start, each a gap in what is heard.
    int underruns() const;

    struct Sounds;

private:
    class Output;
    QString m_soundsFolder;
    bool m_started = false;
    std::unique_ptr<Output> m_output;
};

} // namespace wq
