#include "comboboxadaptor.h"

#include <QComboBox>

ComboBoxAdaptor::ComboBoxAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{
    if (inputField) {
        connect(inputField, SIGNAL(activated(int)), this, SLOT(activated(int)));
        connect(inputField, SIGNAL(currentIndexChanged(int)), this,
                SIGNAL(_currentIndexChanged(int)));
    }
}

QVariant ComboBoxAdaptor::getValue() const
{
    const QComboBox* combo = inputFieldAs<QComboBox>();
    if (!combo)
        return QVariant();
    return combo->currentData(Qt::UserRole);
}

void ComboBoxAdaptor::setValue(const QVariant& val)
{
    QComboBox* combo = inputFieldAs<QComboBox>();
    if (!combo)
        return;
    const QVariant wanted(val.toInt());
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i, Qt::UserRole) == wanted) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

void ComboBoxAdaptor::activated(int index)
{
    if (!inputField())
        return;
    emit _activated(inputField(), index);
    emit _adaptorValueChanged(getValue(), false);
}
