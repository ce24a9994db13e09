#include "SplashPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace mainwin {

namespace {

// One file sheet with a folded corner and a name tag, drawn in a 60 x 76 box at the origin.
void drawSheet(QPainter &p, const QColor &tag, const QString &name)
{
    QPainterPath sheet;
    sheet.moveTo(0, 0);
    sheet.lineTo(44, 0);
    sheet.lineTo(60, 16);
    sheet.lineTo(60, 76);
    sheet.lineTo(0, 76);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(40, 60, 90), 1.5));
    p.setBrush(QColor(250, 251, 253));
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(44, 0);
    fold.lineTo(44, 16);
    fold.lineTo(60, 16);
    p.setBrush(QColor(210, 220, 235));
    p.drawPath(fold);
    p.setPen(QPen(QColor(170, 185, 205), 2));
    for (int y = 28; y <= 48; y += 10)
        p.drawLine(QLineF(8, y, 52, y));
    p.setPen(Qt::NoPen);
    p.setBrush(tag);
    p.drawRoundedRect(QRectF(4, 56, 52, 14), 3, 3);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(4, 56, 52, 14), Qt::AlignCenter, name);
}

} // namespace

QImage SplashPicture(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(22, 52, 96));
    sky.setColorAt(1, QColor(28, 128, 140));
    p.fillRect(image.rect(), sky);

    const qreal scale = std::min(size.width() / 320.0, size.height() / 240.0);
    p.translate((size.width() - 320 * scale) / 2, (size.height() - 240 * scale) / 2);
    p.scale(scale, scale);

    // Soft rings behind the sheets.
    p.setPen(QPen(QColor(255, 255, 255, 28), 10));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(160, 120), 96, 96);
    p.drawEllipse(QPointF(160, 120), 130, 130);

    // Old names on the left, fanned.
    const QColor oldTag(150, 70, 60);
    // Drawn from the back, so the name tag of every sheet stays visible.
    for (int i = 2; i >= 0; --i) {
        p.save();
        p.translate(30 + i * 8, 60 + i * 18);
        p.rotate(-8 + i * 6);
        drawSheet(p, oldTag, QStringLiteral("IMG_%1").arg(101 + i));
        p.restore();
    }

    // The arrow the names travel through.
    QPainterPath arrow;
    arrow.moveTo(124, 128);
    arrow.cubicTo(146, 96, 176, 96, 196, 118);
    p.setPen(QPen(QColor(255, 205, 70), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arrow);
    QPolygonF head;
    head << QPointF(206, 130) << QPointF(184, 124) << QPointF(202, 106);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 205, 70));
    p.drawPolygon(head);

    // New names on the right, in order.
    const QColor newTag(40, 140, 80);
    for (int i = 2; i >= 0; --i) {
        p.save();
        p.translate(214 + i * 12, 52 + i * 20);
        drawSheet(p, newTag, QStringLiteral("Trip_%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        p.restore();
    }
    p.end();
    return image;
}

} // namespace mainwin
