#pragma once
/** The about window: product name and version, a one-line description, the maker's notice and
 *  two links. */
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class Shell;

namespace mainwin {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    /** `shell` opens the links; without one they do nothing. */
    explicit frmAbout(Shell *shell, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    /** "Home"; its tag (the "Tag" property) holds the product's web page. */
    QLabel *Label9 = nullptr;
    /** "Contact"; its tag holds the maker's contact page. */
    QLabel *Label16 = nullptr;
    QPushButton *Command1 = nullptr;
    QFrame *Frame10 = nullptr;

    void Command1_Click();
    void Label9_Click();
    void Label16_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OpenLink(const QString &Address);

    Shell *m_shell;
};

} // namespace mainwin
