#pragma once
/** The splash window shown while the main window loads: the program's picture, name and version
 *  and a "Skip" button. It has no caption and no timer; the start-up closes it. */
#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace mainwin {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    /** The window "Skip" centres and shows. */
    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }

    QLabel *Image1 = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Frame1 = nullptr;

    /** "Skip": closes the splash, then centres the main window on the screen and shows it. */
    void Command1_Click();

protected:
    /** Any key closes the splash. */
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();

    QPointer<QWidget> m_mainWindow;
};

} // namespace mainwin
