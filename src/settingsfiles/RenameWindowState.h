#pragma once
/**
 * The part of the rename window's state that the settings files keep besides the
 * `engine::RenameSettings`: which action of `List3` is current, which token sub-frames are
 * shown, and the text of the Compose token combo (the engine reads the Compose element list,
 * never the combo). The engine never reads it; the window shows it.
 */
#include <QString>
#include <cstdint>

namespace settingsfiles {

/** The three option sub-frames under a panel's token combo: `frm<Panel>A` (alpha counter),
 *  `frm<Panel>C` (numeric counter) and `frm<Panel>R` (random string). */
struct SubFrameVisibility {
    bool Alpha = false;
    bool Counter = false;
    bool Random = false;

    bool operator==(const SubFrameVisibility &) const = default;
};

/** Every member starts at the value the rename window has when it opens. */
struct RenameWindowState {
    /** `List3.ListIndex`: the current (highlighted) action, -1 for none. */
    int16_t CurrentAction = 0;

    SubFrameVisibility First;    ///< frmFirstA, frmFirstC, frmFirstR
    SubFrameVisibility Mid;      ///< frmMidA, frmMidC, frmMidR
    SubFrameVisibility Last;     ///< frmLastA, frmLastC, frmLastR
    SubFrameVisibility All;      ///< frmReplaceAllA, frmReplaceAllC, frmReplaceAllR
    SubFrameVisibility Insert;   ///< frmInsertA, frmInsertC, frmInsertR
    SubFrameVisibility Suffix;   ///< frmSuffixA, frmSuffixC, frmSuffixR
    SubFrameVisibility Prefix;   ///< frmPrefixA, frmPrefixC, frmPrefixR
    SubFrameVisibility Compose;  ///< frmComposeA, frmComposeC, frmComposeR

    /** `cmbCompose`: the text of the Compose token combo, empty when the window opens. */
    QString ComposeToken;

    bool operator==(const RenameWindowState &) const = default;
};

} // namespace settingsfiles
