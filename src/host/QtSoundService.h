#pragma once
// Sound through QSoundEffect. Every sound file of the sounds folder is loaded
// once at start; files are found without regard to letter case, so
// "time4.Wav" and "time4.wav" name the same sound. Named sounds are files too
// ("correct" plays correct.wav). Without an audio output at start nothing is
// loaded, nothing is heard and nothing is said about it.

#include "HostServices.h"

#include <QHash>
#include <memory>

class QSoundEffect;

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

    // An audio output was found at start, so sounds are played.
    bool hasOutput() const { return m_hasOutput; }
    // Every sound is decoded and starts without delay when played.
    bool isLoaded() const;
    int soundCount() const { return int(m_effects.size()); }

private:
    bool m_hasOutput = false;
    QHash<QString, std::shared_ptr<QSoundEffect>> m_effects; // by lower-case file name
};

} // namespace wq
