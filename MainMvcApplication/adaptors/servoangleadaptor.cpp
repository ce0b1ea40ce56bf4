#include "servoangleadaptor.h"

#include <advanceservosview.h>

ServoAngleAdaptor::ServoAngleAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

QVariant ServoAngleAdaptor::getValue() const
{
    const AdvanceServosView* view = inputFieldAs<AdvanceServosView>();
    if (!view)
        return QVariant();
    return view->angle();
}

void ServoAngleAdaptor::setValue(const QVariant& val)
{
    if (AdvanceServosView* view = inputFieldAs<AdvanceServosView>())
        view->setAngle(val.toInt());
}
