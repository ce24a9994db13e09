#pragma once
/**
 * The attribute dialog: six boxes choose one attribute combination ("Normal" alone stands for
 * none), and "Change Attributes Now" gives it to every checked row of the main list, with the
 * main window's status and progress bar showing the run. What this system cannot set is
 * reported once at the end of the run.
 */
#include "AttributeChange.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
struct AppState;

namespace mainwin {

class frmMain;

class frmAttr : public QWidget {
    Q_OBJECT
public:
    frmAttr(AppState &state, frmMain &main);

    QLabel *Label1 = nullptr;
    /** Index 0 "Normal", 1 "Read Only", 2 "Hidden", 3 "System", 4 "Directory", 5 "Archive". */
    std::array<QCheckBox *, 6> Atbs{};
    QPushButton *Command1 = nullptr;  ///< "Change Attributes Now"
    QPushButton *Command2 = nullptr;  ///< "Close"

    void Command1_Click();
    void Command2_Click();
    /** After a click on any box: "Normal" ticked clears every other box, else "Normal" is
     *  cleared. */
    void Atbs_MouseUp(int Index);
    /** Gives one file or folder the combination of the ticked boxes. */
    void DoAtr(const QString &path);
    /** Unticks the six boxes. */
    void ClrCks();
    /** Ticks the boxes that match the attributes of `folder` + `name`. */
    void Attrib(const QString &folder, const QString &name);

private:
    AppState &m_state;
    frmMain &m_main;
    AttributeRun m_run;
};

} // namespace mainwin
