#pragma once
/**
 * Proportional resizing of a window's controls, those on tab pages and inside frames included.
 * The first resize of a window records the window and every control at their current geometry;
 * later resizes put each control at its recorded geometry scaled by the whole percentage by
 * which the window's inner area has changed since.
 * Geometry is kept in twips. Records live for the whole run: a window is known by its object
 * name alone, so a window closed and opened again keeps its first record.
 */
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

class QWidget;

namespace common {

/** One recorded window or control. */
struct ResizeRecord {
    QString Name;
    /** The control's index in its control array; 0 for a window or a control outside one. */
    int32_t Index = 0;
    /** The window that holds a control; empty for a window record. */
    QString FormName;
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Height = 0;
    int32_t Width = 0;
    /** The window's inner size; unused for controls. */
    int32_t ScaleHeight = 0;
    int32_t ScaleWidth = 0;
};

/** The program-wide tables of the resizing module. */
struct ResizeTables {
    std::vector<ResizeRecord> ResizeForms;
    std::vector<ResizeRecord> ResizeControls;
    bool ResizeBusy = false;

    /** The tables every window shares. */
    static ResizeTables &shared();
};

/** Called from a window's resize handler: records it on the first call, scales its controls on
 *  later ones. A call made while a pass runs does nothing. */
void ResizeForm(QWidget *frm, ResizeTables &tables = ResizeTables::shared());

/** Records a window from its design instead of its first resize: its inner size and its
 *  controls' rectangles, in pixels. A window recorded already keeps its record. */
void RecordForm(const QWidget *frm, QSize designClient, const std::vector<std::pair<const QWidget *, QRect>> &controls,
                ResizeTables &tables = ResizeTables::shared());

/** Index of the window record named like `frm`, or -1. */
int32_t FindForm(const QWidget *frm, const ResizeTables &tables = ResizeTables::shared());
/** Records the window and its controls not yet recorded; returns the window's index. */
int32_t AddForm(const QWidget *frm, ResizeTables &tables = ResizeTables::shared());
/** Index of the record of `ctl` in the window named `windowName`, or -1. */
int32_t FindControl(const QWidget *ctl, const QString &windowName,
                    const ResizeTables &tables = ResizeTables::shared());
int32_t AddControl(const QWidget *ctl, const QString &windowName, ResizeTables &tables = ResizeTables::shared());
/** The window's inner size as a whole percentage of its recorded one (registering it first);
 *  0 when the recorded size is 0. */
int32_t WidthPercent(const QWidget *frm, ResizeTables &tables = ResizeTables::shared());
float HeightPercent(const QWidget *frm, ResizeTables &tables = ResizeTables::shared());
void ResizeControl(QWidget *ctl, const QWidget *frm, ResizeTables &tables = ResizeTables::shared());

/** A control on a hidden tab page sits 75000 twips to the left; this gives its true left. */
constexpr int32_t GetTrueLeft(int32_t left) { return left < 0 ? left + 75000 : left; }

} // namespace common
