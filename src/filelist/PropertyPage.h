#pragma once
/**
 * One page of the list control's properties dialog. Its editing controls are arrays with fixed
 * names (`cboProp`, `chkProp`, `txtProp`, their labels `lblProp`, buttons `cmdDo`); a control's
 * "Index" says which property it edits. Each control keeps a change record in its tag, and an
 * apply writes only the properties whose record says they were changed.
 */
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace filelist {

class ListViewEditable;

class PropertyPage : public QWidget {
    Q_OBJECT
public:
    /** `name` is the page's object name, `caption` its tab caption. */
    PropertyPage(const QString &name, const QString &caption, QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }

    /** Loads the page from `control` (the control the dialog edits). */
    virtual void PropertyPage_SelectionChanged(ListViewEditable *control) = 0;

    /** A value that cannot be written: the error number and what it was for. */
    struct Refusal {
        int error = 0;
        QString what;
        /** A message of the page's own, shown instead of the error's description. */
        QString message;
    };
    /** Converts every changed value without writing any; the first that fails, if one does. */
    virtual std::optional<Refusal> ValidateChanges() const;
    /** Writes every changed value to the edited control. Call after ValidateChanges. */
    virtual void PropertyPage_ApplyChanges();

    /** Whether the page has a change for the dialog's "Apply". */
    bool Changed() const { return m_changed; }
    void setChanged(bool changed);

    ListViewEditable *EditedControl = nullptr;

    QComboBox *cboProp(int index) const;
    QCheckBox *chkProp(int index) const;
    QLineEdit *txtProp(int index) const;
    QLabel *lblProp(int index) const;
    QPushButton *cmdDo(int index) const;

signals:
    void ChangedChanged(bool changed);

protected:
    /** How a recorded text becomes the property's value. */
    enum class Conversion {
        Whole,   ///< the leading number, rounded half to even
        Boolean, ///< true when the leading number is not 0
        Int16,   ///< the leading number, rounded, within 16 bits
        Long,    ///< the whole text as a number, rounded, within 32 bits
        Text,    ///< as it is
    };
    /** Which property a control writes. */
    struct Target {
        QString name;
        int index;
        Conversion conversion;
        std::function<void(ListViewEditable &, const QVariant &)> write;
    };
    virtual std::vector<Target> Targets() const = 0;

    // Builders of the array controls; each gets its name and index.
    QComboBox *addCombo(int index);
    QCheckBox *addCheck(int index, const QString &caption);
    QLineEdit *addText(int index);
    QLabel *addLabel(int index, const QString &caption, QWidget *buddy);
    QPushButton *addButton(int index, const QString &caption);

    /** The recording handlers of the tracked controls (connected by the builders). */
    virtual void cboProp_Click(int Index);
    virtual void chkProp_Click(int Index);
    virtual void txtProp_Change(int Index);
    virtual void cmdDo_Click(int) {}

private:
    QWidget *arrayControl(const char *name, int index) const;
    /** The value recorded for a control: text boxes give their text itself, so a value holding
     *  the record's separator is not cut short. */
    QString recordedValue(const QWidget *control) const;
    std::vector<std::pair<const Target *, QVariant>> converted(const std::vector<Target> &targets,
                                                               std::optional<Refusal> *refusal) const;

    QString m_caption;
    bool m_changed = false;
};

} // namespace filelist
