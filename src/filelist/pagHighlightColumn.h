#pragma once
#include "PropertyPage.h"

class QGroupBox;

namespace filelist {

/** The list control's column highlighting: the band's switch, column, colours and sizing. */
class pagHighlightColumn : public PropertyPage {
    Q_OBJECT
public:
    explicit pagHighlightColumn(QWidget *parent = nullptr);
    void PropertyPage_SelectionChanged(ListViewEditable *control) override;

protected:
    std::vector<Target> Targets() const override;
    void chkProp_Click(int Index) override;
    void cmdDo_Click(int Index) override;

private:
    void updateEnabled();

    QGroupBox *m_frame;
};

} // namespace filelist
