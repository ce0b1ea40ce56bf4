#include "widgetstyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QWidget>

namespace WidgetStyle {

// The window skin's palette: panels #232b35, borders #334050, text #e4e8ee and #9aa6b5.
QColor panelTop()
{
    return QColor(0x29, 0x32, 0x3d);
}
QColor panelBottom()
{
    return QColor(0x1c, 0x22, 0x2a);
}
QColor panelBorder()
{
    return QColor(0x3b, 0x49, 0x5b);
}
QColor well()
{
    return QColor(0x12, 0x16, 0x1b);
}
QColor grid()
{
    return QColor(0x33, 0x40, 0x50);
}
QColor accent()
{
    return QColor(0xf0, 0xa0, 0x30);
}
QColor live()
{
    return QColor(0x38, 0xb6, 0xc8);
}
QColor alert()
{
    return QColor(0xff, 0x6b, 0x57);
}
QColor good()
{
    return QColor(0x5c, 0xc9, 0x8a);
}
QColor text()
{
    return QColor(0xe4, 0xe8, 0xee);
}
QColor textDim()
{
    return QColor(0x9a, 0xa6, 0xb5);
}

QColor channelColour(int index)
{
    static const QColor colours[] = {QColor(0x38, 0xb6, 0xc8), QColor(0xe8, 0xc5, 0x4a),
                                     QColor(0x7c, 0xc9, 0x6e), QColor(0xc0, 0x8c, 0xf0)};
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
