#include "Resize.h"

#include "FormControls.h"
#include "Functions.h"
#include "VbConvert.h"

#include <QWidget>

namespace common {

namespace {

constexpr int32_t HiddenPageShift = 75000;
constexpr int32_t ParkedWindowTop = 30000;

void collectAll(const QWidget *parent, QList<QWidget *> &out)
{
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow())
            continue;
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            out.append(w);
        collectAll(w, out);
    }
}

/** Every control of the window, those on tab pages and inside frames included: a tab page is
 *  held by the tab control's own inner widgets, which carry no name of the program's. */
QList<QWidget *> ResizedControls(const QWidget *frm)
{
    QList<QWidget *> out;
    if (frm)
        collectAll(frm, out);
    return out;
}

} // namespace

ResizeTables &ResizeTables::shared()
{
    static ResizeTables tables;
    return tables;
}

int32_t FindForm(const QWidget *frm, const ResizeTables &tables)
{
    const QString name = frm->objectName();
    for (size_t i = 0; i < tables.ResizeForms.size(); ++i) {
        if (tables.ResizeForms[i].Name == name)
            return int32_t(i);
    }
    return -1;
}

int32_t AddForm(const QWidget *frm, ResizeTables &tables)
{
    ResizeRecord r;
    r.Name = frm->objectName();
    r.Top = wholeTwips(frm->y());
    r.Left = wholeTwips(frm->x());
    r.Height = wholeTwips(frm->height());
    r.Width = wholeTwips(frm->width());
    r.ScaleHeight = wholeTwips(frm->height());
    r.ScaleWidth = wholeTwips(frm->width());
    tables.ResizeForms.push_back(r);
    const auto index = int32_t(tables.ResizeForms.size() - 1);
    for (const QWidget *control : ResizedControls(frm)) {
        if (FindControl(control, r.Name, tables) == -1)
            AddControl(control, r.Name, tables);
    }
    return index;
}

void RecordForm(const QWidget *frm, QSize designClient, const std::vector<std::pair<const QWidget *, QRect>> &controls,
                ResizeTables &tables)
{
    if (FindForm(frm, tables) >= 0)
        return;
    ResizeRecord r;
    r.Name = frm->objectName();
    r.Top = wholeTwips(frm->y());
    r.Left = wholeTwips(frm->x());
    r.Height = r.ScaleHeight = wholeTwips(designClient.height());
    r.Width = r.ScaleWidth = wholeTwips(designClient.width());
    tables.ResizeForms.push_back(r);
    for (const auto &[control, design] : controls) {
        ResizeRecord c;
        c.Name = control->objectName();
        c.Index = std::max(0, ControlIndex(control));
        c.FormName = r.Name;
        c.Top = wholeTwips(design.y());
        c.Left = GetTrueLeft(wholeTwips(design.x()));
        c.Height = wholeTwips(design.height());
        c.Width = wholeTwips(design.width());
        tables.ResizeControls.push_back(c);
    }
}

int32_t FindControl(const QWidget *ctl, const QString &windowName, const ResizeTables &tables)
{
    const QString name = ctl->objectName();
    const int index = ControlIndex(ctl);
    for (size_t i = 0; i < tables.ResizeControls.size(); ++i) {
        const ResizeRecord &r = tables.ResizeControls[i];
        if (r.FormName != windowName || r.Name != name)
            continue;
        // Outside a control array the name alone decides.
        if (index < 0 || r.Index == index)
            return int32_t(i);
    }
    return -1;
}

int32_t AddControl(const QWidget *ctl, const QString &windowName, ResizeTables &tables)
{
    ResizeRecord r;
    r.Name = ctl->objectName();
    r.Index = std::max(0, ControlIndex(ctl));
    r.FormName = windowName;
    r.Top = wholeTwips(ctl->y());
    r.Left = GetTrueLeft(wholeTwips(ctl->x()));
    r.Height = wholeTwips(ctl->height());
    r.Width = wholeTwips(ctl->width());
    tables.ResizeControls.push_back(r);
    return int32_t(tables.ResizeControls.size() - 1);
}

int32_t WidthPercent(const QWidget *frm, ResizeTables &tables)
{
    int32_t i = FindForm(frm, tables);
    if (i < 0)
        i = AddForm(frm, tables);
    const int32_t recorded = tables.ResizeForms[size_t(i)].ScaleWidth;
    if (recorded == 0)
        return 0;
    return int32_t(vb::roundHalfEven(double(wholeTwips(frm->width())) * 100) / recorded);
}

float HeightPercent(const QWidget *frm, ResizeTables &tables)
{
    int32_t i = FindForm(frm, tables);
    if (i < 0)
        i = AddForm(frm, tables);
    const int32_t recorded = tables.ResizeForms[size_t(i)].ScaleHeight;
    if (recorded == 0)
        return 0;
    return float(int64_t(vb::roundHalfEven(double(wholeTwips(frm->height())) * 100)) / recorded);
}

void ResizeControl(QWidget *ctl, const QWidget *frm, ResizeTables &tables)
{
    const int64_t pw = WidthPercent(frm, tables);
    const auto ph = int64_t(HeightPercent(frm, tables));
    const int32_t i = FindControl(ctl, frm->objectName(), tables);
    if (i < 0 || pw == 0 || ph == 0)
        return;
    const ResizeRecord &r = tables.ResizeControls[size_t(i)];
    int64_t left = r.Left * pw / 100;
    if (ctl->x() < 0)
        left -= HiddenPageShift;
    const int64_t top = r.Top * ph / 100;
    const int64_t width = r.Width * pw / 100;
    const int64_t height = r.Height * ph / 100;
    ctl->setGeometry(twipsToPixels(double(left)), twipsToPixels(double(top)), twipsToPixels(double(width)),
                     twipsToPixels(double(height)));
}

void ResizeForm(QWidget *frm, ResizeTables &tables)
{
    if (tables.ResizeBusy)
        return;
    tables.ResizeBusy = true;
    if (wholeTwips(frm->y()) < ParkedWindowTop) {
        // The first call records the window through WidthPercent; every percentage is then 100.
        WidthPercent(frm, tables);
        for (QWidget *control : ResizedControls(frm))
            ResizeControl(control, frm, tables);
    }
    tables.ResizeBusy = false;
}

} // namespace common
