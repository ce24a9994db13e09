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
