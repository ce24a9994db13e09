#pragma once
/**
 * One column definition of the file list: caption, key, width, alignment and data type, and its
 * line in the column-definition text ("|Text=Name|Key=|Width=2100|Alignment=0|DataType=0|").
 */
#include <QString>
#include <cstdint>

namespace filelist {

class ColHeader {
public:
    /** The caption; may start with blanks. */
    QString Text;
    /** Optional key of the column. */
    QString Key;
    /** Width in twips. */
    float Width = 0;
    /** 0 left, 1 right, 2 centre. */
    int32_t Alignment = 0;
    /** 0 text, 1 number, 2 date and time. */
    int32_t DataType = 0;

    /** Delimiter + "Text=" + Text + Delimiter + "Key=" ... + "DataType=" + DataType + Delimiter. */
    QString GetTagText(const QString &Delimiter) const;

    /** Sets all five values from one line. Names are matched without regard to case; a value
     *  runs from the "=" to the next `Delimiter`; a missing pair (or one without a closing
     *  delimiter) gives an empty text or 0. Never fails. */
    void SetPropsFromTagText(const QString &TagText, const QString &Delimiter);

    bool operator==(const ColHeader &) const = default;
};

/** The text a width is written as: at most seven significant digits, no trailing zeros, "." as
 *  the decimal point (2100, 2400.063, 799.9371). */
QString WidthText(float width);

/** The leading decimal number of a text: blanks skipped, then an optional sign, digits and one
 *  "." with decimals; reading stops at any other character; 0 when there is no number. */
double LeadingDecimal(const QString &text);

} // namespace filelist
