#pragma once
/** Opening files, folders and links with the desktop's handler, behind an interface. */
#include <QString>
#include <QStringList>

class Shell {
public:
    virtual ~Shell() = default;
    /** Opens a file, folder or URL; false when nothing could open it. */
    virtual bool open(const QString &target) = 0;
};

class RecordingShell : public Shell {
public:
    bool open(const QString &target) override
    {
        opened << target;
        return true;
    }
    QStringList opened;
};
