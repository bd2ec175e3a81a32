#pragma once
// Sound through one audio stream that runs from start to end. Every sound file
// of the sounds folder is decoded at start into the stream's format; playing
// a sound hands it to a mixer that feeds the stream, with silence while
// nothing plays. (QSoundEffect, a stream per sound, went silent after a few
// plays of the same tick under PulseAudio, and a fresh one per play starts
// late.) Files are found without regard to letter case, so "time4.Wav" and
// "time4.wav" name the same sound; named sounds are files too ("correct"
// plays correct.wav). Without an audio output at start nothing is loaded,
// nothing is heard and nothing is said about it.

#include "HostServices.h"

#include <QHash>
#include <memory>
#include <vector>

namespace wq {

class QtSoundService final : public SoundService {
public:
    explicit QtSoundService(const QString &soundsFolder);
    ~QtSoundService() override;

    void playNamed(const QString &name) override;
    void playFile(const QString &fileName) override;
    void stopAll() override;
    // The system beep.
    void beep() override;

    // The audio stream was opened at start, so sounds are played.
    bool hasOutput() const { return bool(m_output); }
    // Every sound file of the folder was decoded (a damaged one is never heard).
    bool isLoaded() const { return hasOutput() && soundCount() == m_filesFound; }
    int soundCount() const { return int(m_sounds.size()); }
    // How much sound the stream holds ahead of what is heard, in milliseconds.
    int bufferMs() const;
    // How often the stream ran dry since start, each a gap in what is heard.
    int underruns() const;

private:
    class Output;
    std::vector<std::vector<qint16>> m_sounds; // in the stream's format
    QHash<QString, int> m_index;               // lower-case file name -> sound
    int m_filesFound = 0;
    std::unique_ptr<Output> m_output;
};

} // namespace wq
