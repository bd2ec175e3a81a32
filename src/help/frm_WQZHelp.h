#pragma once
// The short help: help.rtf from the program folder, read afresh every time
// the window opens.

#include "host/HostServices.h"

#include <QDialog>

class QTextBrowser;

namespace wq {

class CommandBar;
class StatusBar;

class frm_WQZHelp : public QDialog {
    Q_OBJECT
public:
    frm_WQZHelp(const Host &host, QWidget *parent = nullptr);

    QTextBrowser *txt_Help = nullptr;
    StatusBar *ctl_StatusBar1 = nullptr;
    CommandBar *ctl_CmdBar1 = nullptr;

private:
    void Form_Load();
    void ctl_CmdBar1_Command(const QString &command);

    const Host &m_host;
};

} // namespace wq
