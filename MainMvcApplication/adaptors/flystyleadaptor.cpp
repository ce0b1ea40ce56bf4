#include "flystyleadaptor.h"

#include <flystyleview.h>

FlyStyleAdaptor::FlyStyleAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

QVariant FlyStyleAdaptor::getValue() const
{
    const FlyStyleView* view = inputFieldAs<FlyStyleView>();
    if (!view)
        return QVariant();
    return view->getValue();
}

void FlyStyleAdaptor::setValue(const QVariant& val)
{
    if (FlyStyleView* view = inputFieldAs<FlyStyleView>())
        view->setValue(val.toInt());
}

void FlyStyleAdaptor::flyStyleValueChanged(int val)
{
    emit _adaptorValueChanged(val, false);
}
