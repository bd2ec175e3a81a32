#include "LoadedSoundService.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibrary>

namespace wq {

namespace {
using CreateSoundService = SoundService *(*)(const QString &soundsFolder);
} // namespace

LoadedSoundService::LoadedSoundService(QString soundsFolder, QStringList moduleFolders)
    : m_soundsFolder(std::move(soundsFolder)), m_moduleFolders(std::move(moduleFolders))
{
}

// The service goes before the module would: its code is the module's. (The
// module itself stays loaded until the process ends.)
LoadedSoundService::~LoadedSoundService() = default;

void LoadedSoundService::start()
{
    if (m_started)
        return;
    m_started = true;
    for (const QString &folder : m_moduleFolders) {
        const QString path = folder + QString::fromLatin1(SoundModuleName);
        if (!QFileInfo::exists(path))
            continue;
        QLibrary module(path);
        if (auto create = reinterpret_cast<CreateSoundService>(module.resolve("wandquizCreateSoundService"))) {
            m_service.reset(create(m_soundsFolder));
            return;
        }
    }
}

void LoadedSoundService::playNamed(const QString &name)
{
    if (m_service)
        m_service->playNamed(name);
}

void LoadedSoundService::playFile(const QString &fileName)
{
    if (m_service)
        m_service->playFile(fileName);
}

void LoadedSoundService::stopAll()
{
    if (m_service)
        m_service->stopAll();
}

void LoadedSoundService::beep()
{
    QApplication::beep();
}

} // namespace wq
