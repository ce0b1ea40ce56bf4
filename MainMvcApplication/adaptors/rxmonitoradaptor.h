#ifndef RXMONITORADAPTOR_H
#define RXMONITORADAPTOR_H

#include "abstractfieldadaptor.h"

// One receiver channel on one axis of a stick monitor (RxMonitorView); each monitor has
// two of these. The first value after start only places the stick, every later value
// moves it. The value is always 0: channel values never are, so no reading is skipped.
class RxMonitorAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    enum Axis { Horizontal = 0, Vertical = 1 };

    explicit RxMonitorAdaptor(QObject* inputField, QObject* parent = nullptr);

    // 0 horizontal, 1 vertical; values of any other axis are ignored.
    void setAxis(int axis);
    int axis() const;

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

private:
    int m_axis = Horizontal;
};

#endif // RXMONITORADAPTOR_H
