#include "QtFileDialogService.h"

#include "TextTools.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QStandardPaths>
#include <fcntl.h>
#include <unistd.h>

namespace wq {

namespace {
QVariant setting(const DialogSettings &settings, const QString &key)
{
    for (const auto &[name, value] : settings)
        if (name == key)
            return value;
    return {};
}

// The quick links a flag can switch on, and where they lead on Linux.
QList<QPair<QString, QString>> quickLinks()
{
    const QString home = QDir::homePath();
    return {
        {QStringLiteral("QUICKLINKS.DESKTOP"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)},
        {QStringLiteral("QUICKLINKS.USER"), home},
        {QStringLiteral("QUICKLINKS.COMPUTER"), QStringLiteral("/")},
        {QStringLiteral("QUICKLINKS.NETWORK"), QStringLiteral("/mnt")},
        {QStringLiteral("QUICKLINKS.USB"), QStringLiteral("/media/") + qEnvironmentVariable("USER")},
        {QStringLiteral("QUICKLINKS.DEFAULT"), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)},
    };
}

void syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
} // namespace

QString QtFileDialogService::nameFilter(const QString &filter)
{
    const QString description = filter.section(u'|', 0, 0);
    QStringList patterns = filter.section(u'|', 1).split(u';', Qt::SkipEmptyParts);
    // Walls made on other systems often have their extension in capitals.
    for (const QString &pattern : QStringList(patterns))
        if (pattern.toUpper() != pattern)
            patterns.append(pattern.toUpper());
    return description + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

QUrl QtFileDialogService::namedLink(const QString &name, const QString &folder) const
{
    // The side bar shows a folder by its name, so each walls folder is reached
    // through a link that carries the name the dialog should show.
    QDir().mkpath(m_linkFolder);
    const QString link = m_linkFolder + name;
    const QString target = QDir::cleanPath(folder);
    if (QFileInfo(link).symLinkTarget() != target) {
        QFile::remove(link);
        QFile::link(target, link);
    }
    return QUrl::fromLocalFile(QFileInfo(link).isDir() ? link : target);
}

QList<QUrl> QtFileDialogService::sidebar(const DialogSettings &settings) const
{
    QList<QUrl> urls;
    for (const char *kind : {"USER", "STANDARD"}) {
        const QString prefix = QStringLiteral("FOLDERS.") + QString::fromLatin1(kind);
        const QString folder = setting(settings, prefix + QStringLiteral(".URL")).toString();
        const QString name = setting(settings, prefix + QStringLiteral(".NAME")).toString();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            urls.append(name.isEmpty() ? QUrl::fromLocalFile(folder) : namedLink(name, folder));
    }
    for (const auto &[key, folder] : quickLinks())
        if (setting(settings, key).toBool() && QFileInfo(folder).isDir())
            urls.append(QUrl::fromLocalFile(folder));
    return urls;
}

QString QtFileDialogService::openDialog(const QString &startPath, const QString &title, const QString &filter,
                                        int, const DialogSettings &settings)
{
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setObjectName(QStringLiteral("OpenWallDialog"));
    // Qt's own dialog, so the side bar can be set and looks the same everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(nameFilter(filter));
    dialog.setSidebarUrls(sidebar(settings));
    dialog.setDirectory(QFileInfo(startPath).path());
    if (m_describe) {
        auto *about = new QLabel(&dialog);
        about->setObjectName(QStringLiteral("fileDescription"));
        about->setWordWrap(true);
        about->setTextFormat(Qt::PlainText);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(about, grid->rowCount(), 0, 1, grid->columnCount());
        QObject::connect(&dialog, &QFileDialog::currentChanged, about,
                         [this, about](const QString &path) { about->setText(m_describe(path)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    // A file reached through a named link is given by its real path.
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    return chosen.canonicalFilePath().isEmpty() ? chosen.absoluteFilePath() : chosen.canonicalFilePath();
}

QString QtFileDialogService::saveDialog(const QString &suggestedPath, const QString &title, const QString &filter,
                                        const DialogSettings &settings)
{
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setObjectName(QStringLiteral("SaveWallDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(nameFilter(filter));
    dialog.setSidebarUrls(sidebar(settings));
    dialog.setDirectory(QFileInfo(suggestedPath).path());
    dialog.selectFile(QFileInfo(suggestedPath).fileName());
    // The extension the filter names is added to a name typed without it.
    dialog.setDefaultSuffix(text::extension(filter.section(u';', 0, 0)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

void QtNotificationService::notify(int kind, bool first, bool second, QObject *)
{
    if (kind != 2)
        return;
    const QDir folder(m_folders.userDataFolder());
    if (first)
        for (const QFileInfo &file : folder.entryInfoList(QDir::Files))
            syncPath(file.absoluteFilePath(), O_RDONLY);
    if (second)
        syncPath(folder.absolutePath(), O_RDONLY | O_DIRECTORY);
}

} // namespace wq
