#pragma once
#include "PropertyPage.h"

namespace filelist {

/** The list control's general properties: view, pointer, border and its on/off switches. */
class pagGeneral : public PropertyPage {
    Q_OBJECT
public:
    explicit pagGeneral(QWidget *parent = nullptr);
    void PropertyPage_SelectionChanged(ListViewEditable *control) override;

protected:
    std::vector<Target> Targets() const override;
};

} // namespace filelist
