#pragma once
/**
 * Builds a window's controls from their design geometry in twips (pixels = twips / 15) and
 * keeps that design to resize them later in proportion to the window (ResizeForm).
 */
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace renamewin {

/** A design rectangle in twips: left, top, width, height. */
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    QRect pixels() const;
};

class FormLayout {
public:
    /** The size of the window's font, for which its design geometry was made. */
    static constexpr double DesignFontPoints = 8.0;

    /** `form` is the window, which gets the design's font size; `clientWidthTwips` and
     *  `clientHeightTwips` are its design client area. */
    FormLayout(QWidget *form, int clientWidthTwips, int clientHeightTwips);

    /** Gives `widget` its name, parent and design geometry and records it; returns it. */
    template <class W>
    W *place(W *widget, QWidget *parent, const QString &name, Twips at)
    {
        placeWidget(widget, parent, name, at);
        return widget;
    }

    QLabel *label(QWidget *parent, const QString &name, const QString &caption, Twips at);
    QPushButton *button(QWidget *parent, const QString &name, const QString &caption, Twips at);
    QLineEdit *text(QWidget *parent, const QString &name, const QString &text, Twips at);
    QPlainTextEdit *memo(QWidget *parent, const QString &name, const QString &text, Twips at);
    QCheckBox *check(QWidget *parent, const QString &name, const QString &caption, Twips at);
    QRadioButton *option(QWidget *parent, const QString &name, const QString &caption, Twips at);
    /** A frame; an empty caption gives a frame without a title. */
    QGroupBox *frame(QWidget *parent, const QString &name, const QString &caption, Twips at);
    /** A combo box: `editable` for a drop-down combo with free typing, else a drop-down list. */
    QComboBox *combo(QWidget *parent, const QString &name, const QStringList &items, bool editable,
                     Twips at);
    QListWidget *list(QWidget *parent, const QString &name, Twips at);

    /** The design client size in pixels. */
    QSize designSize() const { return m_design; }
    /** Places and sizes every placed control in proportion to the form's size against the
     *  design (whole percentages, the program's proportional resizing). */
    void ResizeForm() const;

private:
    void placeWidget(QWidget *widget, QWidget *parent, const QString &name, Twips at);

    struct Placed {
        QWidget *widget;
        QRect design;
    };
    QWidget *m_form;
    QSize m_design;
    std::vector<Placed> m_placed;
};

} // namespace renamewin
