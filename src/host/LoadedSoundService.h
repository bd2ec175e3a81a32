#pragma once
// The game's sound service: a stand-in until the sound module is loaded
// (once the board is painted), then the module's service, to which every
// call goes. A sound asked for before that is not heard; the beep needs no
// module. Without the module, or without an audio device, the game is silent.

#include "HostServices.h"

#include <memory>

namespace wq {

class LoadedSoundService final : public SoundService {
public:
    // The module is looked for in `moduleFolders`, in this order.
    LoadedSoundService(QString soundsFolder, QStringList moduleFolders);
    ~LoadedSoundService() override;

    // Loads the module and starts its audio thread, once; later calls do nothing.
    void start();
    bool isLoaded() const { return m_service != nullptr; }

    void playNamed(const QString &name) override;
    void playFile(const QString &fileName) override;
    void stopAll() override;
    void beep() override;

private:
    QString m_soundsFolder;
    QStringList m_moduleFolders;
    bool m_started = false;
    std::unique_ptr<SoundService> m_service;
};

// The file name of the sound module.
inline constexpr char SoundModuleName[] = "libwandquiz_sound.so";

} // namespace wq
