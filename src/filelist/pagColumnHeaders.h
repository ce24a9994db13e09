#pragma once
/**
 * The list control's columns: caption, key, width, alignment and data type of each, with
 * columns inserted and removed. The page edits a copy of the definitions; the copy goes back to
 * the control only when the dialog applies it, and only after the page loaded completely.
 */
#include "ColHeaders.h"
#include "PropertyPage.h"

class QScrollBar;

namespace filelist {

class pagColumnHeaders : public PropertyPage {
    Q_OBJECT
public:
    explicit pagColumnHeaders(QWidget *parent = nullptr);
    void PropertyPage_SelectionChanged(ListViewEditable *control) override;
    /** Refuses a caption or key holding "|" or a line break (the definition text could not
     *  carry it). */
    std::optional<Refusal> ValidateChanges() const override;
    /** Puts the copy on the control's columns and into its stored column text. */
    void PropertyPage_ApplyChanges() override;

    QScrollBar *hsbIndex;
    const ColHeaders &WorkingCopy() const { return m_copy; }

protected:
    std::vector<Target> Targets() const override { return {}; }
    void cboProp_Click(int Index) override;
    void txtProp_Change(int Index) override;
    void cmdDo_Click(int Index) override;

private:
    void hsbIndex_Change();
    void showColumn(int column);
    ColHeader *current();
    void enableEditors(bool on);

    ColHeaders m_copy;
    bool m_loaded = false;
    bool m_dirty = false;
};

} // namespace filelist
