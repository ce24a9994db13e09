#pragma once
/** The real message boxes, file dialogs and desktop opener the program uses. */
#include "Dialogs.h"
#include "MessageService.h"
#include "Shell.h"

class QWidget;

/**
 * Shows real message boxes. Where no box can be seen it writes each one to standard error
 * instead and answers as closing it unanswered would (msg::unseenAnswer()): with
 * VEXLO_MESSAGES=stderr in the environment, without a QApplication (a run that opened no
 * display), or once setBoxesUnseen() was called (the program on a platform that shows no
 * screen, see platformShowsWindows()).
 */
class QtMessageService : public MessageService {
public:
    /** Boxes without a title get `defaultTitle`. */
    explicit QtMessageService(QString defaultTitle) : m_defaultTitle(std::move(defaultTitle)) {}
    int MsgBox(const QString &prompt, int buttons = msg::OKOnly, const QString &title = {}) override;
    bool writesToStandardError() const override;
    /** From now on every box goes to standard error: nobody could see it on the screen. */
    void setBoxesUnseen(bool unseen) { m_unseen = unseen; }

private:
    QString m_defaultTitle;
    bool m_unseen = false;
};

/** False for the toolkit platforms that draw into memory and show nothing to anyone ("offscreen",
 *  "minimal"): a window or a box opened there would wait for a user who cannot see it. */
bool platformShowsWindows(const QString &platformName);

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
