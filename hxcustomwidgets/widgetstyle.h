#ifndef WIDGETSTYLE_H
#define WIDGETSTYLE_H

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;
class QWidget;

// The instrument look shared by the drawn widgets. Every widget paints its own dark
// panel, so its texts stay legible whether the window around it is skinned dark or light.
namespace WidgetStyle {

QColor panelTop();
QColor panelBottom();
QColor panelBorder();
QColor well();
QColor grid();
// Orange marks what the user set or chose, teal what the unit reports live.
QColor accent();
QColor live();
QColor alert();
QColor good();
QColor text();
QColor textDim();
QColor channelColour(int index);
QColor withAlpha(QColor colour, int alpha);

// A font of the widget's family at a pixel size, so drawings scale exactly with the widget.
QFont scaledFont(const QWidget* widget, qreal pixelSize, bool bold = false);

// Rounded instrument panel with a soft vertical gradient and a hairline border.
void drawPanel(QPainter* painter, const QRectF& rect, qreal radius);
// A recessed track, as behind bars and sliders.
void drawWell(QPainter* painter, const QRectF& rect, qreal radius);
// A glossy round knob with a coloured rim.
void drawKnob(QPainter* painter, const QPointF& centre, qreal radius, const QColor& rim,
              bool enabled = true);

// Signed number with a typographic minus and an explicit plus ("+12", "0", "−7").
QString signedNumber(int value);

} // namespace WidgetStyle

#endif // WIDGETSTYLE_H
