#pragma once
// The open dialog: a Qt file dialog whose side bar shows the walls folders
// under their own names ("Selbstgemacht", "Mitgeliefert") and the quick links
// whose flags are set.

#include "HostServices.h"

#include <QList>
#include <functional>
#include <QUrl>

namespace wq {

class QtFileDialogService final : public FileDialogService {
public:
    // Named links for the side bar are kept in `linkFolder`.
    explicit QtFileDialogService(QString linkFolder) : m_linkFolder(std::move(linkFolder)) {}
    QString openDialog(const QString &startPath, const QString &title, const QString &filter, int flags,
                       const DialogSettings &settings) override;
    QString saveDialog(const QString &suggestedPath, const QString &title, const QString &filter,
                       const DialogSettings &settings) override;

    // What a file is, shown below the list for the file chosen (a wall's
    // title and what it is for); nothing when it gives an empty text.
    void setDescriber(std::function<QString(const QString &path)> describe) { m_describe = std::move(describe); }

    // The side bar for these settings (exposed for tests).
    QList<QUrl> sidebar(const DialogSettings &settings) const;
    // "Fragendatei|*.lx-wqz;*.frg" as a Qt name filter.
    static QString nameFilter(const QString &filter);

private:
    QUrl namedLink(const QString &name, const QString &folder) const;

    QString m_linkFolder;
    std::function<QString(const QString &)> m_describe;
};

// On Linux a notification of kind 2 ("the program's own data has changed",
// sent after a wall was opened and saved as the autosave) makes that data
// last through a power cut: the first flag syncs the files of the user data
// folder to disk, the second the folder itself, whose entries name them.
class QtNotificationService final : public NotificationService {
public:
    explicit QtNotificationService(const FolderService &folders) : m_folders(folders) {}
    void notify(int kind, bool first, bool second, QObject *object) override;

private:
    const FolderService &m_folders;
};

} // namespace wq
