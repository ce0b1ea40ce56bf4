#include "checkablebuttonadaptor.h"

#include <QAbstractButton>

CheckableButtonAdaptor::CheckableButtonAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{
    if (inputField) {
        connect(inputField, SIGNAL(clicked(bool)), this, SLOT(clicked(bool)));
        connect(inputField, SIGNAL(toggled(bool)), this, SIGNAL(_toggled(bool)));
    }
}

QVariant CheckableButtonAdaptor::getValue() const
{
    const QAbstractButton* button = inputFieldAs<QAbstractButton>();
    if (!button)
        return QVariant();
    return button->isChecked() ? 1 : 0;
}

void CheckableButtonAdaptor::setValue(const QVariant& val)
{
    if (QAbstractButton* button = inputFieldAs<QAbstractButton>())
        button->setChecked(val.toInt() != 0);
}

void CheckableButtonAdaptor::clicked(bool checked)
{
    if (!inputField())
        return;
    emit _clicked(inputField(), checked);
    emit _adaptorValueChanged(getValue(), false);
}
