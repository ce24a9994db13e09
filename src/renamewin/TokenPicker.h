#pragma once
/**
 * What the six token pickers share. A picker is a small top-most dialog window without a widget
 * parent, kept above the window of the field it serves (TokenPickers). It writes a token into the
 * field of the program-wide token target (AppState::TokenTargetCombo): only into that field, and
 * nothing once the field is gone. Its open flag is set from the end of
 * its load step until it closes. Closing it in any way (its buttons, Escape, the close box, the
 * unloading of a window) runs its write-back: a grid cell that the field edits gets the field's
 * text once (TokenCellTarget). A closed picker is deleted; TokenPickers makes a new one on the
 * next use.
 */
#include "FormLayout.h"
#include "PickerTokens.h"

#include <QWidget>

struct AppState;

namespace renamewin {

class TokenPickers;

class TokenPicker : public QWidget {
    Q_OBJECT
public:
    ~TokenPicker() override;

    PickerKind kind() const { return m_kind; }
    /** The load step; TokenPickers runs it once, right after making the window. */
    void Form_Load();

protected:
    /** A picker with the design client area in twips; `resizable` windows lay their controls
     *  out again in proportion when resized. */
    TokenPicker(AppState &app, TokenPickers &pickers, PickerKind kind, const QString &caption,
                int clientWidthTwips, int clientHeightTwips, bool resizable);

    /** Replaces the whole text of the token target's field with `token`. */
    void writeToken(const QString &token);
    /** The picker's own part of the load step, before the window goes top-most. */
    virtual void load() {}
    /** The picker's own part of the close, before the grid cell is written back. */
    virtual void beforeUnload() {}
    /** True when the closing leaves the grid cell to the picture-date picker. */
    virtual bool leavesCellToPictureDate() const { return false; }
    /** The picker's own part of the close, after the grid cell is written back. */
    virtual void afterUnload() {}

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    AppState &m_app;
    TokenPickers &m_pickers;
    FormLayout m_layout;

private:
    void Form_Unload();
    bool &openFlag() const;

    PickerKind m_kind;
    bool m_resizable;
    bool m_unloaded = false;
};

} // namespace renamewin
