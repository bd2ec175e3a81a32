#pragma once
// Host doubles for tests: temporary folders, recorded sounds and endings,
// scripted answers to messages and dialogs. Files are real.

#include "host/HostServices.h"
#include "host/QtServices.h"

#include <QElapsedTimer>
#include <QList>
#include <QTemporaryDir>
#include <functional>

namespace wq::test {

class FixedFolderService final : public FolderService {
public:
    QString program;
    QString userData;
    QString shared;
    QString documents;
    QString programFolder() const override { return program; }
    QString userDataFolder() const override { return userData; }
    QString sharedApplicationFolder() const override { return shared; }
    QString documentsFolder() const override { return documents; }
};

class RecordingSoundService final : public SoundService {
public:
    struct Played {
        QString sound;   // "file:Gong.Wav" or "named:correct"
        qint64 atMs;     // since the service was made
    };
    RecordingSoundService() { m_clock.start(); }
    void playNamed(const QString &name) override { played.append({"named:" + name, m_clock.elapsed()}); }
    void playFile(const QString &fileName) override { played.append({"file:" + fileName, m_clock.elapsed()}); }
    void stopAll() override { ++stops; }
    void beep() override { played.append({"beep", m_clock.elapsed()}); }
    QStringList sounds() const
    {
        QStringList names;
        for (const Played &p : played)
            names.append(p.sound);
        return names;
    }
    QList<Played> played;
    int stops = 0;

private:
    QElapsedTimer m_clock;
};

// Answers message boxes and text inputs in the order given; every question
// asked is recorded. A question with no scripted answer is recorded in
// `unanswered` and gets No or an empty text.
class ScriptedMessageService final : public MessageService {
public:
    struct Shown {
        QString text;
        QString title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    MessageResult messageBox(const QString &text, const QString &title, MessageButtons buttons,
                             MessageIcon icon) override;
    QString textInput(const QString &prompt, const QString &title, const QString &proposed) override;

    QList<MessageResult> answers;
    QStringList texts;
    QList<Shown> shown;
    QList<Shown> inputs; // text is the prompt, buttons unused
    QStringList proposed;
    int unanswered = 0;
};

class RecordingApplicationService final : public ApplicationService {
public:
    void registerApplication(const QString &notice, const QString &name, const QString &titleString,
                             const QString &version) override { registration = {notice, name, titleString, version}; }
    void setCommandLine(const QString &line) override { commandLineGiven = line; }
    QString commandLine() const override { return commandLineGiven; }
    bool previousInstanceRunning() override { return otherInstanceRunning; }
    void restoreDefaultCursor() override { ++cursorRestores; }
    bool numericEntryByDialog() const override { return numericDialog; }
    bool numericEntry(QLineEdit &box, const QString &title) override;
    void aboutBox() override { ++aboutBoxes; }
    void shutDown() override { ++shutDowns; }
    void endProcess() override { ++endings; }

    bool otherInstanceRunning = false;
    bool numericDialog = false;
    QString numericAnswer;           // what the numeric dialog "types"
    bool numericCancelled = false;   // or: "Abbrechen" is pressed
    QStringList numericTitles;
    QString commandLineGiven;
    QStringList registration;        // notice, name, title string, version
    int cursorRestores = 0;
    int aboutBoxes = 0;
    int shutDowns = 0;
    int endings = 0;
};

class RecordingGeneralService final : public GeneralService {
public:
    void shutDown() override { ++shutDowns; }
    int shutDowns = 0;
};

class ScriptedFileDialogService final : public FileDialogService {
public:
    struct Call {
        QString startPath, title, filter;
        int flags;
        DialogSettings settings;
    };
    QString openDialog(const QString &startPath, const QString &title, const QString &filter, int flags,
                       const DialogSettings &settings) override
    {
        calls.append({startPath, title, filter, flags, settings});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString saveDialog(const QString &suggestedPath, const QString &title, const QString &filter,
                       const DialogSettings &settings) override
    {
        saveCalls.append({suggestedPath, title, filter, 0, settings});
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    QStringList answers; // paths to choose; empty text = cancel
    QList<Call> calls;
    QStringList saveAnswers; // where to save; empty text = cancel
    QList<Call> saveCalls;    // startPath is the suggested path
};

class RecordingNotificationService final : public NotificationService {
public:
    void notify(int kind, bool first, bool second, QObject *object) override
    {
        calls.append({kind, first, second, QVariant::fromValue(static_cast<void *>(object))});
    }
    QList<QList<QVariant>> calls;
};

// A file service whose failures can be switched on, for the error paths.
class FaultyFileService final : public FileService {
public:
    bool exists(const QString &path) const override { return real.exists(path); }
    QStringList filesMatching(const QString &pattern) const override;
    void prepareFolder(const QString &path) override;
    bool failListing = false;
    bool failPrepare = false;
    QtFileService real;
};

// A whole host of doubles over a fresh temporary directory. The program
// folder and the supplied walls are those of the build tree unless a test
// points them elsewhere.
class TestHost {
public:
    TestHost();
    const Host &host() const { return m_host; }
    QString root() const { return m_dir.path() + u'/'; }
    // A file inside the temporary directory, with its folders made.
    QString path(const QString &relative) const;

    FixedFolderService folders;
    RecordingSoundService sound;
    ScriptedMessageService messages;
    RecordingApplicationService app;
    RecordingGeneralService general;
    FaultyFileService files;
    ScriptedFileDialogService fileDialog;
    RecordingNotificationService notification;

private:
    QTemporaryDir m_dir;
    Host m_host;
};

// Writes bytes to a file, making its folder; returns the path.
QString writeFile(const QString &path, const QByteArray &bytes);

} // namespace wq::test
