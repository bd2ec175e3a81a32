#include "QtServices.h"

#include "help/AboutText.h"
#include "widgets/NumberPad.h"
#include "QtFileDialogService.h"
#include "sound/QtSoundService.h"

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

namespace wq {

namespace {
QString withSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
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
    m_titleString = titleString;
    QGuiApplication::setApplicationDisplayName(name);
    QCoreApplication::setApplicationVersion(version);
    // The desktop links the window to wandquiz.desktop and shows our icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("wandquiz"));
    QGuiApplication::setWindowIcon(QIcon(m_folders.programFolder() + QStringLiteral("wandquiz.png")));
}

bool QtApplicationService::previousInstanceRunning()
{
    // The lock lives in the user data folder, beside the autosave file the
    // instances would share. A lock left by a crashed instance is stale and
    // QLockFile takes it over.
    auto lock = std::make_unique<QLockFile>(m_folders.userDataFolder() + QStringLiteral("instance.lock"));
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_instanceLock = std::move(lock);
        return false;
    }
    return lock->error() == QLockFile::LockFailedError;
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

void QtApplicationService::numericEntry(QLineEdit &box, const QString &title)
{
    NumberPad pad(title, box.text(), box.window());
    if (pad.exec() == QDialog::Accepted)
        box.setText(pad.number());
}

void QtApplicationService::aboutBox()
{
    QMessageBox::about(QApplication::activeWindow(), QStringLiteral("Info über Wandquiz"), aboutText());
}

void QtApplicationService::shutDown()
{
    m_instanceLock.reset();
}

void QtApplicationService::endProcess()
{
    QCoreApplication::exit(0);
}

MessageResult QtMessageService::messageBox(const QString &text, const QString &title,
                                           MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Stop          ? QMessageBox::Critical
                    : icon == MessageIcon::Information ? QMessageBox::Information
                                                       : QMessageBox::NoIcon,
                    title, text,
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageResult::Ok;
    return answer == QMessageBox::Yes ? MessageResult::Yes : MessageResult::No;
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
    QtSoundService sound{folders.programFolder() + QStringLiteral("sounds/"), false};
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
