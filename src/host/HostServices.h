#pragma once
// The services the game calls on its host. Each is an interface so that tests
// can hand in doubles (a sound service that records, a message service that
// answers from a script, folders in a temporary directory). The pure tools
// (text and path tools, number parse, value packer, colours, pictures) are
// plain functions in their own headers: there is nothing in them to stand in for.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

class QLineEdit;
class QObject;

namespace wq {

// An error of a host service. Callers pass it on; only SAVE and LOAD of the
// wall and the file commands turn it into a result or a message.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ApplicationService {
public:
    virtual ~ApplicationService() = default;
    // Registration at start: notice text, application name, title string, version text.
    virtual void registerApplication(const QString &notice, const QString &name,
                                     const QString &titleString, const QString &version) = 0;
    virtual void setCommandLine(const QString &commandLine) = 0;
    virtual QString commandLine() const = 0;
    // True when another instance of the program is running (or still starting).
    virtual bool previousInstanceRunning() = 0;
    virtual void restoreDefaultCursor() = 0;
    // Application-information flag: a click on a number box opens the numeric entry dialog.
    virtual bool numericEntryByDialog() const = 0;
    // Numeric entry dialog for a text box; afterwards the box holds the number
    // entered. False when the dialog was cancelled: the box is unchanged.
    virtual bool numericEntry(QLineEdit &box, const QString &title) = 0;
    virtual void aboutBox() = 0;
    virtual void shutDown() = 0;
    // Ends the run: no further window events are handled.
    virtual void endProcess() = 0;
};

// The general service's own shut-down (its parts are the services below).
class GeneralService {
public:
    virtual ~GeneralService() = default;
    virtual void shutDown() = 0;
};

// Every folder path ends with "/": callers append file names directly.
class FolderService {
public:
    virtual ~FolderService() = default;
    // The folder holding the program's shipped data: images/, sounds/, help.rtf.
    virtual QString programFolder() const = 0;
    virtual QString userDataFolder() const = 0;
    // Holds "Apps/Wandquiz/Data/" with the supplied walls.
    virtual QString sharedApplicationFolder() const = 0;
    virtual QString documentsFolder() const = 0;
};

class SoundService {
public:
    virtual ~SoundService() = default;
    // "correct", "wrong", "clapping"
    virtual void playNamed(const QString &name) = 0;
    // A file of the sounds folder, found without regard to letter case.
    virtual void playFile(const QString &fileName) = 0;
    virtual void stopAll() = 0;
    // The system beep.
    virtual void beep() = 0;
};

enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class MessageIcon { None, Information, Warning, Stop };
enum class MessageResult { Ok, Yes, No, Save, Discard, Cancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageResult messageBox(const QString &text, const QString &title,
                                     MessageButtons buttons = MessageButtons::Ok,
                                     MessageIcon icon = MessageIcon::None) = 0;
    // Returns the text entered, empty when cancelled.
    virtual QString textInput(const QString &prompt, const QString &title,
                              const QString &proposed) = 0;
};

class FileService {
public:
    virtual ~FileService() = default;
    virtual bool exists(const QString &path) const = 0;
    // Files matching a pattern such as "/home/x/Wandquiz/*.*"; a folder that
    // cannot be read gives an empty list.
    virtual QStringList filesMatching(const QString &pattern) const = 0;
    // Makes sure a folder exists before a dialog shows it.
    virtual void prepareFolder(const QString &path) = 0;
};

// Ordered settings handed to the open dialog ("FOLDERS.USER.URL", ...).
using DialogSettings = QList<QPair<QString, QVariant>>;

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // Returns the chosen path, empty when the user cancels.
    virtual QString openDialog(const QString &startPath, const QString &title,
                               const QString &filter, int flags,
                               const DialogSettings &settings) = 0;
    // Asks where to save, proposing `suggestedPath`; the filter as above.
    // Returns the chosen path, empty when the user cancels.
    virtual QString saveDialog(const QString &suggestedPath, const QString &title, const QString &filter,
                               const DialogSettings &settings) = 0;
};

class NotificationService {
public:
    virtual ~NotificationService() = default;
    virtual void notify(int kind, bool first, bool second, QObject *object) = 0;
};

// The context handed to the game: one place for every host service. It owns
// nothing; whoever builds it (main, or a test) keeps the services alive.
struct Host {
    ApplicationService *app = nullptr;
    GeneralService *general = nullptr;
    FolderService *folders = nullptr;
    SoundService *sound = nullptr;
    MessageService *messages = nullptr;
    FileService *files = nullptr;
    FileDialogService *fileDialog = nullptr;
    NotificationService *notification = nullptr;
};

} // namespace wq
