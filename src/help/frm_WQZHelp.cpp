#include "frm_WQZHelp.h"

#include "RtfReader.h"
#include "widgets/CommandBar.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace wq {

namespace {
// A help file larger than this is not read whole; what fits is shown.
constexpr qint64 MaxHelpFileSize = qint64(64) << 20;
} // namespace

frm_WQZHelp::frm_WQZHelp(const Host &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("frm_WQZHelp"));
    setWindowTitle(QStringLiteral("Kurzanleitung: Wandquiz"));
    setModal(true);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    txt_Help = new QTextBrowser(this);
    txt_Help->setObjectName(QStringLiteral("txt_Help"));
    // The help only shows: a link neither replaces it nor opens anything.
    txt_Help->setOpenLinks(false);
    txt_Help->setOpenExternalLinks(false);
    column->addWidget(txt_Help, 1);

    ctl_CmdBar1 = new CommandBar(QStringLiteral("ctl_CmdBar1"), this);
    ctl_CmdBar1->addOkButton();
    column->addWidget(ctl_CmdBar1);
    ctl_StatusBar1 = new StatusBar(QStringLiteral("ctl_StatusBar1"), this);
    column->addWidget(ctl_StatusBar1);
    connect(ctl_CmdBar1, &CommandBar::command, this, &frm_WQZHelp::ctl_CmdBar1_Command);

    if (parent)
        resize(parent->size() * 0.7);
    else
        resize(800, 600);
    Form_Load();
}

void frm_WQZHelp::Form_Load()
{
    const QString path = m_host.folders->programFolder() + QStringLiteral("help.rtf");
    QFile file(path);
    if (!m_host.files->exists(path) || !file.open(QIODevice::ReadOnly)) {
        txt_Help->setPlainText(QStringLiteral("Hilfe wurde nicht gefunden!"));
        return;
    }
    readRtf(file.read(MaxHelpFileSize), *txt_Help->document());
    txt_Help->moveCursor(QTextCursor::Start); // show the beginning, not where reading ended
}

void frm_WQZHelp::ctl_CmdBar1_Command(const QString &)
{
    accept();
}

} // namespace wq
