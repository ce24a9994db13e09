#pragma once
// What a person sees first in a window: every control it shows lies inside it with room of its
// own, no two controls lie on one another, and the window's picture shows text and more than a
// plain background. For the window tests that also leave pictures for a reviewer.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSet>
#include <QWidget>
#include <gtest/gtest.h>

namespace shownwhole {

/** The controls a user works with (buttons, fields, boxes) that `window` shows, without the
 *  parts of composite controls and of scrolled views. */
inline QList<QWidget *> controls(QWidget &window)
{
    QList<QWidget *> out;
    for (QWidget *child : window.findChildren<QWidget *>()) {
        if (child->isWindow() || !child->isVisibleTo(&window))
            continue;
        if (!qobject_cast<QAbstractButton *>(child) && !qobject_cast<QLineEdit *>(child)
            && !qobject_cast<QComboBox *>(child) && !qobject_cast<QAbstractSpinBox *>(child))
            continue;
        bool part = false;
        for (QWidget *p = child->parentWidget(); p && p != &window; p = p->parentWidget())
            part = part || qobject_cast<QComboBox *>(p) || qobject_cast<QAbstractSpinBox *>(p)
                   || qobject_cast<QAbstractScrollArea *>(p);
        if (!part)
            out << child;
    }
    return out;
}

inline QString nameOf(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

/** The window's controls inside it and apart, and a picture with text on it. */
inline void expectShownWhole(QWidget &window)
{
    SCOPED_TRACE(nameOf(&window).toStdString());
    const QList<QWidget *> shown = controls(window);
    QList<QRect> rects;
    for (QWidget *c : shown) {
        const QRect r(c->mapTo(&window, QPoint(0, 0)), c->size());
        EXPECT_TRUE(window.rect().contains(r)) << nameOf(c).toStdString() << " reaches out of the window";
        EXPECT_GE(r.width(), 8) << nameOf(c).toStdString();
        EXPECT_GE(r.height(), 8) << nameOf(c).toStdString();
        rects << r;
    }
    for (qsizetype i = 0; i < rects.size(); ++i)
        for (qsizetype j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].intersects(rects[j]))
                << nameOf(shown[i]).toStdString() << " lies on " << nameOf(shown[j]).toStdString();

    const QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(picture.isNull());
    QSet<QRgb> colours;
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            colours.insert(line[x]);
            dark += qGray(line[x]) < 96;
        }
    }
    EXPECT_GE(colours.size(), 3) << "a plain picture";
    EXPECT_GT(dark, 20) << "no text or lines drawn";
}

} // namespace shownwhole
