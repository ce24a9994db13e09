#pragma once
/**
 * Setting one attribute combination on many files and folders. This system keeps only Read
 * Only (the write permission bits) as a settable attribute: Hidden is a name starting with ".",
 * System and Archive do not exist, and Directory is what an item is (asking for it or not
 * changes nothing). The part that can be set is set; what cannot is collected and reported
 * once for the whole run, never pretended.
 */
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace mainwin {

/** The attribute values of the six boxes, index 0 "Normal" to 5 "Archive". */
inline constexpr std::array<int16_t, 6> AttributeBoxValues{0, 1, 2, 4, 16, 32};
/** The captions of the six boxes. */
inline constexpr std::array<const char *, 6> AttributeBoxCaptions{"Normal", "Read Only", "Hidden",
                                                                  "System", "Directory", "Archive"};

/**
 * The value of the ticked boxes (`ticked[i]` for box i, counting only boxes that are ticked and
 * enabled): the sum of boxes 1 to 5, or 0 when box 0 "Normal" is ticked, whatever else is.
 */
int16_t AttributeValue(const std::array<bool, 6> &ticked);

/** The outcome of applying attribute values to a run of items. */
class AttributeRun {
public:
    /**
     * Gives the item at `path` the attribute value `value`: its Read Only state is set; the
     * other attributes it asks for that the item cannot have here are noted. A failure (a
     * missing item, a refused permission change) is noted with its text and the run goes on.
     */
    void Apply(const QString &path, int16_t value);

    int Items() const { return m_items; }
    /** Items whose Read Only state could not be set. */
    const QStringList &Failures() const { return m_failures; }
    /** Items that keep attributes other than asked for, because this system cannot set them. */
    int Unsettable() const { return m_unsettable; }
    /** The attribute bits asked for that could not be set on some item. */
    int UnsettableBits() const { return m_unsettableBits; }

    /** One text for the whole run; empty when everything asked for was set. */
    QString Report() const;

private:
    int m_items = 0;
    int m_unsettable = 0;
    int m_unsettableBits = 0;
    QStringList m_failures;
};

} // namespace mainwin
