#pragma once
/**
 * The 41 persisted values of the file list control, with their defaults, and the order in which
 * they are read from and written to a property bag. Rows 1 to 21 of the table are settings of
 * the inner list; the others are the control's own.
 */
#include "ColHeaders.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace filelist {

class PropertyBag;

/** The values, initialised to the defaults that reading assumes for an absent value. */
struct ListProperties {
    int32_t Appearance = 1;
    bool AllowColumnReorder = true;
    int32_t Arrange = 0;
    int32_t BorderStyle = 1;
    bool Checkboxes = false;
    bool Enabled = true;
    bool FlatScrollBar = false;
    bool FullRowSelect = false;
    bool GridLines = false;
    bool HideColumnHeaders = false;
    bool HideSelection = false;
    bool HotTracking = false;
    bool HoverSelection = false;
    int32_t MousePointer = 0;
    bool MultiSelect = true;
    int16_t SortKey = 0;
    int32_t SortOrder = 0;
    bool Sorted = false;
    int32_t TextBackground = 0;
    int32_t View = 3;
    bool Visible = true;
    QString ColumnHeadersText = DefaultColumnHeadersText();
    bool AutoDeselect = true;
    QString FileSpec = QStringLiteral("*.*");
    bool IncludeFolder = false;
    /** The root folder stands where the Windows program had its first drive. */
    QString Path = QStringLiteral("/");
    bool Recursive = false;
    bool SubitemSelect = true;
    int32_t UpdateFrequency = 100;
    bool HighlightColumn = false;
    int32_t CurrrentHighlightColumn = 1;
    int32_t SizingType = 2;
    /** Colours as 0x00BBGGRR. */
    int32_t HighlightColor = 0xE1E1FF;
    int32_t DefaultColor = 0xFFFFFF;
    bool FlatHeader = false;
    bool AutoTooltip = true;
    bool AutoPopupMenu = false;
    bool AllowFileDragDrop = true;
    bool AllowItemEdit = false;
    bool ClearOnDragDrop = false;
    int16_t ShowFolders = 2;

    /** The values of a newly placed control: as above, except ShowFolders 0. */
    static ListProperties NewlyPlaced();

    /** Reads the 41 values in their reading order, each with its default. A stored value of the
     *  wrong kind or out of range reads as the default. */
    void Read(PropertyBag &bag);
    /** Writes the 41 values in their writing order, each with its default. */
    void Write(PropertyBag &bag) const;

    /** The keys in reading order and in writing order. */
    static QStringList ReadOrder();
    static QStringList WriteOrder();

    bool operator==(const ListProperties &) const = default;
};

} // namespace filelist
