#pragma once
#include "PropertyPage.h"

class QGroupBox;

namespace filelist {

/** The list control's folder search and drops: folder, file specification, repaint frequency
 *  and switches. */
class pagFileSearch : public PropertyPage {
    Q_OBJECT
public:
    explicit pagFileSearch(QWidget *parent = nullptr);
    void PropertyPage_SelectionChanged(ListViewEditable *control) override;

protected:
    std::vector<Target> Targets() const override;
    void cboProp_Click(int Index) override;
    void cmdDo_Click(int Index) override;

private:
    QGroupBox *m_frame;
};

} // namespace filelist
