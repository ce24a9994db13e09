#pragma once
/** File and folder choosers behind an interface; tests answer from a script. An empty text is
 *  a cancelled dialog. */
#include <QString>
#include <QStringList>

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual QString getOpenFileName(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString getSaveFileName(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString getExistingDirectory(const QString &title, const QString &folder) = 0;
};

/** Answers every request with the next queued text (empty when the queue is used up) and
 *  records the titles asked for. */
class RecordingDialogs : public Dialogs {
public:
    QString getOpenFileName(const QString &title, const QString &, const QString &) override { return take(title); }
    QString getSaveFileName(const QString &title, const QString &, const QString &) override { return take(title); }
    QString getExistingDirectory(const QString &title, const QString &) override { return take(title); }

    QStringList answers;
    QStringList asked;

private:
    QString take(const QString &title)
    {
        asked << title;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};
