#include "rxmonitoradaptor.h"

#include <rxmonitorview.h>

RxMonitorAdaptor::RxMonitorAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

void RxMonitorAdaptor::setAxis(int axis)
{
    m_axis = axis;
}

int RxMonitorAdaptor::axis() const
{
    return m_axis;
}

QVariant RxMonitorAdaptor::getValue() const
{
    return 0;
}

void RxMonitorAdaptor::setValue(const QVariant& val)
{
    RxMonitorView* view = inputFieldAs<RxMonitorView>();
    if (!view)
        return;
    if (m_axis == Horizontal)
        view->xValue = val.toInt();
    else if (m_axis == Vertical)
        view->yValue = val.toInt();
    else
        return;

    // Animating from the view's arbitrary start-up place would sweep the stick across
    // the field; the first value only gives it its place.
    if (!view->valueArrived)
        view->valueArrived = true;
    else
        view->moveSensor();
}
