#pragma once
/**
 * Message boxes behind an interface: the program shows real boxes, tests record them and answer
 * from a script, so no test ever waits on a modal box. Button and answer values are the
 * classic ones.
 */
#include <QString>
#include <QStringList>
#include <vector>

namespace msg {
enum Buttons : int { OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4,
                     RetryCancel = 5, Critical = 16, Question = 32, Exclamation = 48,
                     Information = 64 };
enum Answer : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

/** The answer of a box that nobody sees (its text went to standard error): the one that changes
 *  nothing, as closing the box unanswered would. OK for a box with OK alone, No to a yes/no
 *  question (a replace or overwrite is never approved), Cancel where the set has it, Abort for
 *  abort/retry/ignore (a retry nobody asked for could repeat for good). */
int unseenAnswer(int buttons);
} // namespace msg

class MessageService {
public:
    virtual ~MessageService() = default;
    /** Shows `prompt`; `buttons` combines a button set and an icon. Returns the answer. */
    virtual int MsgBox(const QString &prompt, int buttons = msg::OKOnly, const QString &title = {}) = 0;
    /** True when the boxes are written to standard error (an unattended run), so a caller that
     *  prints a failure there itself need not show it again. */
    virtual bool writesToStandardError() const { return false; }
};

/** Writes one line to standard error, whole (a NUL does not end it); `line` should already
 *  have its names made printable. */
void printToStandardError(const QString &line);

/** Records every box; answers from a queue, else OK (or Yes for yes/no sets). */
class RecordingMessageService : public MessageService {
public:
    struct Shown {
        QString prompt;
        int buttons;
        QString title;
    };
    int MsgBox(const QString &prompt, int buttons = msg::OKOnly, const QString &title = {}) override;

    std::vector<Shown> shown;
    std::vector<int> answers;
    QStringList prompts() const;
};
