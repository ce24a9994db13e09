#include "TokenPickers.h"

#include "AppState.h"
#include "FramedPlacement.h"
#include "RandomSource.h"
#include "formSelExif.h"
#include "formSelID3.h"
#include "frmDateFormat.h"
#include "frmEDateFormat.h"
#include "frmRandom.h"
#include "frmTimeFormat.h"

#include <QComboBox>

namespace renamewin {

TokenPickers::TokenPickers(AppState &app)
    : m_app(app), m_ownRandom(app.services.random ? nullptr : std::make_unique<VbRandom>())
{
}

TokenPickers::~TokenPickers()
{
    for (QPointer<TokenPicker> &window : m_windows)
        delete window.data();
}

RandomSource &TokenPickers::random()
{
    return m_app.services.random ? *m_app.services.random : *m_ownRandom;
}

TokenPicker *TokenPickers::openPicker(PickerKind kind) const
{
    return m_windows[size_t(kind)];
}

TokenPicker *TokenPickers::picker(PickerKind kind)
{
    QPointer<TokenPicker> &window = m_windows[size_t(kind)];
    if (window)
        return window;
    switch (kind) {
    case PickerKind::Time: window = new frmTimeFormat(m_app, *this); break;
    case PickerKind::Date: window = new frmDateFormat(m_app, *this); break;
    case PickerKind::PictureDate: window = new frmEDateFormat(m_app, *this); break;
    case PickerKind::Random: window = new frmRandom(m_app, *this); break;
    case PickerKind::Exif: window = new formSelExif(m_app, *this); break;
    case PickerKind::Mp3: window = new formSelID3(m_app, *this); break;
    }
    // The load step may lead on to another picker (the EXIF picker's "DateTime"), which finds
    // this one registered already.
    TokenPicker *made = window;
    made->Form_Load();
    return made;
}

TokenPicker *TokenPickers::itemChosen(QComboBox *field, const TokenCell &cell, bool randomPicker)
{
    const QString item = field->currentText();
    m_app.TokenTargetText = item;
    m_app.TokenTargetCombo = field;
    const bool opens = pickerForItem(item, randomPicker).has_value();
    if (opens && cell.grid) {
        m_app.TokenTargetGrid = cell.grid;
        m_app.TokenTargetRow = cell.row;
        m_app.TokenTargetCol = cell.col;
    } else {
        // The cell named before belongs to another field now.
        m_app.TokenTargetGrid = nullptr;
    }
    return open(item, field, randomPicker);
}

TokenPicker *TokenPickers::open(const QString &item, QWidget *field, bool randomPicker)
{
    const std::optional<PickerKind> kind = pickerForItem(item, randomPicker);
    if (!kind)
        return nullptr;
    TokenPicker *window = picker(*kind);
    if (!window)
        return nullptr;
    common::ShowUnder(window, field);
    // Asked for again while open, the picker comes forward with the keyboard too, so that the
    // next key goes to it rather than into the field.
    window->activateWindow();
    return window;
}

void TokenPickers::showPictureDate()
{
    TokenPicker *window = picker(PickerKind::PictureDate);
    if (auto *pictureDate = qobject_cast<frmEDateFormat *>(window))
        pictureDate->defaultDateWritten();
    common::ShowUnder(window, qobject_cast<QWidget *>(m_app.TokenTargetCombo.data()));
}

void TokenPickers::close(std::initializer_list<PickerKind> kinds)
{
    for (PickerKind kind : kinds) {
        if (TokenPicker *window = openPicker(kind))
            window->close();
    }
}

void TokenPickers::closing(TokenPicker *window)
{
    QPointer<TokenPicker> &slot = m_windows[size_t(window->kind())];
    if (slot == window)
        slot = nullptr;
}

} // namespace renamewin
