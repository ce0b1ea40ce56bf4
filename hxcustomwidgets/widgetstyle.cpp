#include "widgetstyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QWidget>

namespace WidgetStyle {

QColor panelTop()
{
    return QColor(0x27, 0x31, 0x3f);
}
QColor panelBottom()
{
    return QColor(0x17, 0x1e, 0x28);
}
QColor panelBorder()
{
    return QColor(0x45, 0x53, 0x66);
}
QColor well()
{
    return QColor(0x0d, 0x12, 0x19);
}
QColor grid()
{
    return QColor(0x3a, 0x47, 0x58);
}
QColor accent()
{
    return QColor(0x35, 0xc2, 0xf2);
}
QColor warning()
{
    return QColor(0xff, 0xb3, 0x2e);
}
QColor danger()
{
    return QColor(0xff, 0x5c, 0x5c);
}
QColor good()
{
    return QColor(0x54, 0xd6, 0x8a);
}
QColor text()
{
    return QColor(0xe9, 0xef, 0xf6);
}
QColor textDim()
{
    return QColor(0x93, 0xa4, 0xb8);
}

QColor channelColour(int index)
{
    static const QColor colours[] = {QColor(0x35, 0xc2, 0xf2), QColor(0xff, 0xb3, 0x2e),
                                     QColor(0x6e, 0xe0, 0x8f), QColor(0xe0, 0x7b, 0xf0)};
    return colours[((index % 4) + 4) % 4];
}

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

QFont scaledFont(const QWidget* widget, qreal pixelSize, bool bold)
{
    QFont f = widget ? widget->font() : QFont();
    f.setPixelSize(qMax(6, qRound(pixelSize)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void drawPanel(QPainter* painter, const QRectF& rect, qreal radius)
{
    painter->save();
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0.0, panelTop());
    fill.setColorAt(1.0, panelBottom());
    painter->setPen(QPen(panelBorder(), 1.0));
    painter->setBrush(fill);
    painter->drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    // A faint top highlight gives the panel an edge on dark backgrounds.
    painter->setPen(QPen(QColor(255, 255, 255, 22), 1.0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
    painter->restore();
}

void drawWell(QPainter* painter, const QRectF& rect, qreal radius)
{
    painter->save();
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0.0, well().darker(120));
    fill.setColorAt(1.0, well().lighter(130));
    painter->setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    painter->setBrush(fill);
    painter->drawRoundedRect(rect, radius, radius);
    painter->restore();
}

void drawKnob(QPainter* painter, const QPointF& centre, qreal radius, const QColor& rim,
              bool enabled)
{
    painter->save();
    if (enabled) {
        QRadialGradient glow(centre, radius * 2.0);
        glow.setColorAt(0.0, withAlpha(rim, 110));
        glow.setColorAt(1.0, withAlpha(rim, 0));
        painter->setPen(Qt::NoPen);
        painter->setBrush(glow);
        painter->drawEllipse(centre, radius * 2.0, radius * 2.0);
    }
    QRadialGradient body(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.4);
    body.setColorAt(0.0, enabled ? QColor(0xfa, 0xfc, 0xff) : QColor(0x8a, 0x95, 0xa3));
    body.setColorAt(0.55, enabled ? QColor(0xc9, 0xd3, 0xdf) : QColor(0x5b, 0x66, 0x74));
    body.setColorAt(1.0, enabled ? QColor(0x6b, 0x78, 0x89) : QColor(0x39, 0x42, 0x4e));
    painter->setPen(QPen(enabled ? rim : withAlpha(rim, 120), qMax(1.5, radius * 0.22)));
    painter->setBrush(body);
    painter->drawEllipse(centre, radius, radius);
    painter->restore();
}

QString signedNumber(int value)
{
    if (value > 0)
        return QStringLiteral("+%1").arg(value);
    if (value < 0)
        return QString(QChar(0x2212)) + QString::number(-static_cast<qint64>(value));
    return QStringLiteral("0");
}

} // namespace WidgetStyle
