#pragma once
#include "PropertyPage.h"

class QGroupBox;

namespace filelist {

/** The list control's sorting: whether the rows are sorted, by which column and in which order. */
class pagSort : public PropertyPage {
    Q_OBJECT
public:
    explicit pagSort(QWidget *parent = nullptr);
    void PropertyPage_SelectionChanged(ListViewEditable *control) override;

protected:
    std::vector<Target> Targets() const override;
    void chkProp_Click(int Index) override;

private:
    void updateEnabled();

    QGroupBox *m_frame;
};

} // namespace filelist
