#include "MessageService.h"

int RecordingMessageService::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    shown.push_back({prompt, buttons, title});
    if (!answers.empty()) {
        int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    int set = buttons & 7;
    return (set == msg::YesNo || set == msg::YesNoCancel) ? msg::Yes : msg::OK;
}

QStringList RecordingMessageService::prompts() const
{
    QStringList out;
    for (const auto &s : shown)
        out << s.prompt;
    return out;
}
