#pragma once
// The Qt implementations of the host services the game uses.

#include "HostServices.h"

#include <QLockFile>
#include <memory>

namespace wq {

// Folders follow the XDG conventions: the user data folder is
// $XDG_DATA_HOME/wandquiz/, the documents folder the user's documents
// directory. The program's own data (images/, sounds/, help.rtf, and the
// supplied walls under Apps/Wandquiz/Data/) lies in share/wandquiz/ beside
// the program's bin/ folder, in the build tree as after installing.
class QtFolderService final : public FolderService {
public:
    QtFolderService();
    QString programFolder() const override { return m_programFolder; }
    QString userDataFolder() const override;
    QString sharedApplicationFolder() const override { return m_programFolder; }
    QString documentsFolder() const override;

private:
    QString m_programFolder;
};

class QtApplicationService final : public ApplicationService {
public:
    explicit QtApplicationService(const FolderService &folders);
    void registerApplication(const QString &notice, const QString &name,
                             const QString &titleString, const QString &version) override;
    void setCommandLine(const QString &commandLine) override { m_commandLine = commandLine; }
    QString commandLine() const override { return m_commandLine; }
    bool previousInstanceRunning() override;
    void restoreDefaultCursor() override;
    bool numericEntryByDialog() const override;
    bool numericEntry(QLineEdit &box, const QString &title) override;
    void aboutBox() override;
    void shutDown() override;
    void endProcess() override;

    QString notice() const { return m_notice; }
    QString titleString() const { return m_titleString; }

private:
    const FolderService &m_folders;
    QString m_commandLine;
    QString m_notice;
    QString m_name = QStringLiteral("Wandquiz");
    QString m_titleString;
    std::unique_ptr<QLockFile> m_instanceLock;
};

class QtMessageService final : public MessageService {
public:
    MessageResult messageBox(const QString &text, const QString &title, MessageButtons buttons,
                             MessageIcon icon) override;
    QString textInput(const QString &prompt, const QString &title, const QString &proposed) override;
};

class QtFileService final : public FileService {
public:
    bool exists(const QString &path) const override;
    QStringList filesMatching(const QString &pattern) const override;
    void prepareFolder(const QString &path) override;
};

class QtGeneralService final : public GeneralService {
public:
    explicit QtGeneralService(SoundService &sound) : m_sound(sound) {}
    void shutDown() override { m_sound.stopAll(); }

private:
    SoundService &m_sound;
};

// All Qt services of one run, and the Host context that hands them out.
class QtHost {
public:
    QtHost();
    ~QtHost();
    const Host &host() const { return m_host; }
    // Sound starts when the game asks for it (once its window shows); until
    // then nothing is heard.
    void startSound();
    // What the open dialog says below its list about the file chosen.
    void setFileDescriber(std::function<QString(const QString &path)> describe);

private:
    struct Services;
    std::unique_ptr<Services> m_services;
    Host m_host;
};

// Loads Qt's German texts ("Ja", "Nein", "Abbrechen") for the application.
void installGermanTranslations();

} // namespace wq
