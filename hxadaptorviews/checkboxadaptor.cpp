#include "checkboxadaptor.h"

#include <QCheckBox>

CheckBoxAdaptor::CheckBoxAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{
    if (inputField) {
        connect(inputField, SIGNAL(toggled(bool)), this, SIGNAL(_toggled(bool)));
        connect(inputField, SIGNAL(clicked(bool)), this, SLOT(clicked(bool)));
    }
}

QVariant CheckBoxAdaptor::getValue() const
{
    const QCheckBox* box = inputFieldAs<QCheckBox>();
    if (!box)
        return QVariant();
    return box->isChecked() ? 1 : 0;
}

void CheckBoxAdaptor::setValue(const QVariant& val)
{
    if (QCheckBox* box = inputFieldAs<QCheckBox>())
        box->setChecked(val.toInt() != 0);
}

void CheckBoxAdaptor::clicked(bool checked)
{
    if (!inputField())
        return;
    emit _clicked(inputField(), checked);
    emit _adaptorValueChanged(getValue(), false);
}
