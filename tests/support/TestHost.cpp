#include "TestHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

namespace wq::test {


MessageResult ScriptedMessageService::messageBox(const QString &text, const QString &title,
                                                 MessageButtons buttons, MessageIcon icon)
{
    shown.append({text, title, buttons, icon});
    if (buttons == MessageButtons::Ok)
        return MessageResult::Ok;
    if (answers.isEmpty()) {
        ++unanswered;
        return buttons == MessageButtons::SaveDiscardCancel ? MessageResult::Cancel : MessageResult::No;
    }
    return answers.takeFirst();
}

QString ScriptedMessageService::textInput(const QString &prompt, const QString &title, const QString &proposedText)
{
    inputs.append({prompt, title, MessageButtons::Ok, MessageIcon::None});
    proposed.append(proposedText);
    if (texts.isEmpty()) {
        ++unanswered;
        return {};
    }
    return texts.takeFirst();
}


bool RecordingApplicationService::numericEntry(QLineEdit &box, const QString &title)
{
    numericTitles.append(title);
    if (numericCancelled)
        return false;
    box.setText(numericAnswer);
    return true;
}




QStringList FaultyFileService::filesMatching(const QString &pattern) const
{
    if (failListing)
        throw HostError("file service: listing failed");
    return real.filesMatching(pattern);
}

void FaultyFileService::prepareFolder(const QString &path)
{
    if (failPrepare)
        throw HostError("file service: folder could not be prepared");
    real.prepareFolder(path);
}

TestHost::TestHost()
{
    folders.program = QStringLiteral(WANDQUIZ_BUILD_DATA_DIR "/");
    folders.shared = folders.program;
    folders.userData = root() + QStringLiteral("data/");
    folders.documents = root() + QStringLiteral("documents/");
    QDir().mkpath(folders.userData);
    m_host.app = &app;
    m_host.general = &general;
    m_host.folders = &folders;
    m_host.sound = &sound;
    m_host.messages = &messages;
    m_host.files = &files;
    m_host.fileDialog = &fileDialog;
    m_host.notification = &notification;
}

QString TestHost::path(const QString &relative) const
{
    const QString full = root() + relative;
    QDir().mkpath(QFileInfo(full).path());
    return full;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

} // namespace wq::test
