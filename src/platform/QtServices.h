#pragma once
/** The real message boxes, file dialogs and desktop opener the program uses. */
#include "Dialogs.h"
#include "MessageService.h"
#include "Shell.h"

class QWidget;

/** Shows real message boxes; with VEXLO_MESSAGES=stderr in the environment (unattended runs)
 *  it writes them to standard error instead and answers with the box's first button. */
class QtMessageService : public MessageService {
public:
    /** Boxes without a title get `defaultTitle`. */
    explicit QtMessageService(QString defaultTitle) : m_defaultTitle(std::move(defaultTitle)) {}
    int MsgBox(const QString &prompt, int buttons = msg::OKOnly, const QString &title = {}) override;
    bool writesToStandardError() const override;

private:
    QString m_defaultTitle;
};

class QtDialogs : public Dialogs {
public:
    QString getOpenFileName(const QString &title, const QString &folder, const QString &filter) override;
    QString getSaveFileName(const QString &title, const QString &folder, const QString &filter) override;
    QString getExistingDirectory(const QString &title, const QString &folder) override;
};

class QtShell : public Shell {
public:
    bool open(const QString &target) override;
};
