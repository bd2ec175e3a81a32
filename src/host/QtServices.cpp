#include "QtServices.h"

#include "help/AboutText.h"
#include "widgets/NumberPad.h"
#include "QtFileDialogService.h"
#include "WindowTitle.h"
#include "LoadedSoundService.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QInputDialog>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTranslator>
#include <cstdio>
#include <unistd.h>

namespace wq {

namespace {
QString withSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

// lib/wandquiz/ beside bin/ (build tree or installed), else where it was installed to.
QStringList soundModuleFolders()
{
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/../") + QStringLiteral(WANDQUIZ_MODULE_SUBDIR) + u'/',
            QStringLiteral(WANDQUIZ_INSTALLED_MODULE_DIR) + u'/'};
}

// share/wandquiz/ beside bin/, else where the program was installed to.
QString findProgramFolder()
{
    const QString besideBinary = QCoreApplication::applicationDirPath() + QStringLiteral("/../")
                                 + QStringLiteral(WANDQUIZ_DATA_SUBDIR);
    if (QFileInfo(besideBinary).isDir())
        return withSlash(QDir(besideBinary).canonicalPath());
    return withSlash(QStringLiteral(WANDQUIZ_INSTALLED_DATA_DIR));
}
} // namespace

QtFolderService::QtFolderService() : m_programFolder(findProgramFolder()) {}

QString QtFolderService::userDataFolder() const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                           + QStringLiteral("/wandquiz");
    QDir().mkpath(folder);
    return withSlash(folder);
}

QString QtFolderService::documentsFolder() const
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QtApplicationService::QtApplicationService(const FolderService &folders) : m_folders(folders) {}

void QtApplicationService::registerApplication(const QString &notice, const QString &name,
                                               const QString &titleString, const QString &version)
{
    m_notice = notice;
    m_name = name;
    m_titleString = titleString;
    // No application display name: Qt would append it to every window title,
    // and each window's title is exactly its own.
    QCoreApplication::setApplicationVersion(version);
    // The desktop links the window to wandquiz.desktop and shows our icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("wandquiz"));
    QGuiApplication::setWindowIcon(QIcon(m_folders.programFolder() + QStringLiteral("wandquiz.png")));
}

namespace {
std::unique_ptr<QLockFile> instanceLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Only a lock whose process is gone is stale, however old it is.
    lock->setStaleLockTime(0);
    return lock;
}

// True when a lock file "<prefix>…<suffix>" is held by a running process.
// Locks of crashed processes are taken over and so removed. (The names are
// compared by hand: a name filter would compile a regular expression at every
// start.)
bool lockHeldByOther(const QDir &folder, const QString &prefix, const QString &suffix)
{
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (!name.startsWith(prefix) || !name.endsWith(suffix))
            continue;
        const std::unique_ptr<QLockFile> lock = instanceLock(folder.filePath(name));
        if (lock->tryLock(0))
            lock->unlock();
        else if (lock->error() == QLockFile::LockFailedError)
            return true;
    }
    return false;
}
} // namespace

bool QtApplicationService::previousInstanceRunning()
{
    // The locks live in the user data folder, beside the autosave file the
    // instances would share. The first instance holds "instance.lock"; one
    // started beside it with "/NEW" holds a lock of its own, so it counts as
    // running too once the first has ended.
    m_instanceLock.reset();
    const QDir folder(m_folders.userDataFolder());
    std::unique_ptr<QLockFile> first = instanceLock(folder.filePath(QStringLiteral("instance.lock")));
    const bool isFirst = first->tryLock(0);
    const bool firstRunning = !isFirst && first->error() == QLockFile::LockFailedError;
    const bool othersRunning = lockHeldByOther(folder, QStringLiteral("instance-"), QStringLiteral(".lock"));
    if (isFirst) {
        m_instanceLock = std::move(first);
    } else {
        m_instanceLock = instanceLock(
            folder.filePath(QStringLiteral("instance-%1.lock").arg(QCoreApplication::applicationPid())));
        m_instanceLock->tryLock(0);
    }
    return firstRunning || othersRunning;
}

void QtApplicationService::restoreDefaultCursor()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool QtApplicationService::numericEntryByDialog() const
{
    return touchScreenPresent();
}

bool QtApplicationService::numericEntry(QLineEdit &box, const QString &title)
{
    NumberPad pad(title, box.text(), box.window());
    if (pad.exec() != QDialog::Accepted)
        return false;
    box.setText(pad.number());
    return true;
}

void QtApplicationService::aboutBox()
{
    QMessageBox::about(QApplication::activeWindow(), QStringLiteral("Info über ") + m_name, aboutText());
}

void QtApplicationService::shutDown()
{
    m_instanceLock.reset();
}

void QtApplicationService::endProcess()
{
    // A window whose work would be lost (the wall editor) keeps the program
    // running; it ends when the last window closes.
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool kept = std::any_of(windows.begin(), windows.end(), [](const QWidget *w) {
        return w->isVisible() && w->property("keepsProcess").toBool();
    });
    if (kept)
        return;
    // The run ends here and now: the autosave is written and every file is
    // closed; the system clears the rest. Qt Multimedia's own teardown is left
    // out on purpose: run while the sound server's connection is still being
    // made (a game closed in its first second), it can abort inside the
    // PulseAudio client.
    std::fflush(nullptr);
    ::_exit(0);
}

namespace {
QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageResult boxResult(int answer)
{
    switch (answer) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Save:
        return MessageResult::Save;
    case QMessageBox::Discard:
        return MessageResult::Discard;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        return MessageResult::Ok;
    }
}
} // namespace

MessageResult QtMessageService::messageBox(const QString &text, const QString &title,
                                           MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), title, text, boxButtons(buttons), QApplication::activeWindow());
    if (title.isEmpty())
        keepTitleEmpty(box);
    const MessageResult answer = boxResult(box.exec());
    // A box closed by its window's close button answers No, or Cancel.
    switch (buttons) {
    case MessageButtons::YesNo:
        return answer == MessageResult::Yes ? answer : MessageResult::No;
    case MessageButtons::SaveDiscardCancel:
        return answer == MessageResult::Save || answer == MessageResult::Discard ? answer : MessageResult::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return MessageResult::Ok;
}

QString QtMessageService::textInput(const QString &prompt, const QString &title, const QString &proposed)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                 QLineEdit::Normal, proposed, &ok);
    return ok ? answer : QString();
}

bool QtFileService::exists(const QString &path) const
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

QStringList QtFileService::filesMatching(const QString &pattern) const
{
    const QFileInfo info(pattern);
    QString wildcard = info.fileName();
    if (wildcard == u"*.*") // every file, as on the systems this pattern comes from
        wildcard = QStringLiteral("*");
    QStringList paths;
    const QDir folder = info.dir();
    for (const QString &name : folder.entryList({wildcard}, QDir::Files | QDir::Hidden))
        paths.append(folder.filePath(name));
    return paths;
}

void QtFileService::prepareFolder(const QString &path)
{
    QDir().mkpath(path);
}

struct QtHost::Services {
    QtFolderService folders;
    QtApplicationService app{folders};
    LoadedSoundService sound{folders.programFolder() + QStringLiteral("sounds/"), soundModuleFolders()};
    QtGeneralService general{sound};
    QtMessageService messages;
    QtFileService files;
    QtFileDialogService fileDialog{folders.userDataFolder() + QStringLiteral("dialog-links/")};
    QtNotificationService notification{folders};
};

QtHost::QtHost() : m_services(std::make_unique<Services>())
{
    m_host.app = &m_services->app;
    m_host.general = &m_services->general;
    m_host.folders = &m_services->folders;
    m_host.sound = &m_services->sound;
    m_host.messages = &m_services->messages;
    m_host.files = &m_services->files;
    m_host.fileDialog = &m_services->fileDialog;
    m_host.notification = &m_services->notification;
}

QtHost::~QtHost() = default;

void QtHost::startSound()
{
    m_services->sound.start();
}

void QtHost::setFileDescriber(std::function<QString(const QString &)> describe)
{
    m_services->fileDialog.setDescriber(std::move(describe));
}

void installGermanTranslations()
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *name : {"qtbase_de", "qtmultimedia_de"}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QString::fromLatin1(name), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace wq
