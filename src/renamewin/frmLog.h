#pragma once
/**
 * The rename log viewer "Rename Log - Morvane": one grid row per line of the rename log, with
 * the folder, the old and new names and the result; the result cell of a failed rename is red.
 */
#include "FormLayout.h"

#include <QWidget>

class Grid;

namespace renamewin {

class frmLog : public QWidget {
    Q_OBJECT
public:
    /** Builds the window and reads the log (Form_Load); `logFile` defaults to the program
     *  folder's "templog.log". */
    explicit frmLog(QWidget *parent = nullptr, QString logFile = {});

    /** Reads the log again into a fresh grid; a `logFile` that is not empty becomes the file it
     *  reads (the record of the run just ended). */
    void Reload(const QString &logFile);
    /** The log file the viewer reads. */
    const QString &logFile() const { return m_logFile; }

    Grid *GridLog = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void setColumnWidths();
    void readLog();

    FormLayout m_layout;
    QString m_logFile;
};

} // namespace renamewin
