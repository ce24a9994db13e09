#include "TokenPickers.h"

#include "AppState.h"
#include "RandomSource.h"
#include "formSelExif.h"
#include "formSelID3.h"
#include "frmDateFormat.h"
#include "frmEDateFormat.h"
#include "frmRandom.h"
#include "frmTimeFormat.h"
#include "WindowHelpers.h"

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
    showUnder(window, field);
    return window;
}

void TokenPickers::showPictureDate()
{
    TokenPicker *window = picker(PickerKind::PictureDate);
    if (auto *pictureDate = qobject_cast<frmEDateFormat *>(window))
        pictureDate->defaultDateWritten();
    showUnder(window, qobject_cast<QWidget *>(m_app.TokenTargetCombo.data()));
}

void TokenPickers::showUnder(TokenPicker *window, QWidget *field)
{
    if (field) {
        // A position given before the window system's window exists is its frame's, which the
        // window manager keeps whatever the frame's size: the picker is placed first.
        if (!window->isVisible())
            window->move(positionUnder(field, window->frameGeometry().size()));
        // Clicks into the field's window (On Top or not) leave the picker in sight above it.
        common::KeepAboveOwner(window, field);
    }
    common::ShowUnder(window, field);
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

QPoint TokenPickers::positionUnder(const QWidget *field, const QSize &pickerFrame)
{
    return common::PlaceUnder(field, pickerFrame);
}

} // namespace renamewin
