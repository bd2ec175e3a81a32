#include "QtSoundService.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace wq {

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt's PulseAudio backend warns when it finds no server. A game without sound
// is fine, so that warning stays off the console.
void withoutServerWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"PulseAudioService:"))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

bool audioOutputPresent()
{
    previousHandler = qInstallMessageHandler(withoutServerWarning);
    const bool present = !QMediaDevices::defaultAudioOutput().isNull();
    qInstallMessageHandler(previousHandler);
    return present;
}

} // namespace

QtSoundService::QtSoundService(const QString &soundsFolder) : m_hasOutput(audioOutputPresent())
{
    // Without an output each QSoundEffect would warn once it has loaded.
    if (!m_hasOutput)
        return;
    const QDir folder(soundsFolder);
    const QStringList files = folder.entryList({QStringLiteral("*.wav")}, QDir::Files);
    for (const QString &file : files) {
        auto effect = std::make_shared<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(folder.absoluteFilePath(file)));
        m_effects.insert(file.toLower(), effect);
    }
}

QtSoundService::~QtSoundService() = default;

bool QtSoundService::isLoaded() const
{
    for (const auto &effect : m_effects)
        if (!effect->isLoaded())
            return false;
    return true;
}

void QtSoundService::playNamed(const QString &name)
{
    playFile(name + QStringLiteral(".wav"));
}

void QtSoundService::playFile(const QString &fileName)
{
    // A sound still playing starts again from the beginning.
    if (const auto effect = m_effects.value(fileName.toLower()))
        effect->play();
}

void QtSoundService::stopAll()
{
    for (const auto &effect : std::as_const(m_effects))
        effect->stop();
}

} // namespace wq

namespace wq {

void QtSoundService::beep()
{
    QApplication::beep();
}

} // namespace wq
