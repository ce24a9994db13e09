#pragma once
/**
 * The property pages' combo fillers and change records on real controls. A control's tag is its
 * dynamic property "Tag". Filling a combo empties its tag before it selects the matching entry,
 * so the page's handler of that selection starts a fresh record.
 */
#include "PropertyPageSupport.h"

#include <QString>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace filelist {

/** Fills `combo` with a numbered list and selects the entry whose value is `value` (none when no
 *  entry has it). */
void FillCombo(QComboBox *combo, PropertyList list, int32_t value);
inline void FillMousePointerCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::MousePointer, v); }
inline void FillViewCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::View, v); }
inline void FillArrangeCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::Arrange, v); }
inline void FillBorderStyleCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::BorderStyle, v); }
inline void FillAppearanceCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::Appearance, v); }
inline void FillSortOrderCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::SortOrder, v); }
inline void FillSizingTypeCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::SizingType, v); }
inline void FillDataTypeCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::DataType, v); }
inline void FillColumnAlignmentCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::ColumnAlignment, v); }
inline void FillLedgerColorCombo(QComboBox *c, int32_t v) { FillCombo(c, PropertyList::LedgerColor, v); }
/** Fills the 24 file types and selects the one whose pattern is `spec` exactly; returns `spec`
 *  ("" when it is empty). */
QString FillFileSpecCombo(QComboBox *combo, const QString &spec);

/** A fresh record of the value, then the box set to it. */
void InitCheckBoxTag(QCheckBox *box, int32_t value);
void InitTextBoxTag(QLineEdit *box, const QString &text);

/** Records a new value in the control's tag; false when the control had no record yet. */
bool SetTagNewValue(QWidget *control, const QString &value);
QString GetTagNewValue(const QWidget *control);
bool IsTagChanged(const QWidget *control);

} // namespace filelist
