#include "MessageService.h"

#include <cstdio>

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

int msg::unseenAnswer(int buttons)
{
    switch (buttons & 7) {
    case OKCancel:
    case YesNoCancel:
    case RetryCancel: return Cancel;
    case YesNo: return No;
    case AbortRetryIgnore: return Abort;
    default: return OK;
    }
}

QStringList RecordingMessageService::prompts() const
{
    QStringList out;
    for (const auto &s : shown)
        out << s.prompt;
    return out;
}

void printToStandardError(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}
