#include "labeladaptorvbec.h"

#include <QLabel>
#include <QString>

LabelAdaptorVBEC::LabelAdaptorVBEC(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

QVariant LabelAdaptorVBEC::getValue() const
{
    const QLabel* label = inputFieldAs<QLabel>();
    if (!label)
        return QVariant();
    return label->text();
}

void LabelAdaptorVBEC::setValue(const QVariant& val)
{
    QLabel* label = inputFieldAs<QLabel>();
    if (!label)
        return;
    const float volts = static_cast<float>(val.toInt()) / 10.0f;
    const QString text = QString::asprintf("VBEC: %.2f V", static_cast<double>(volts));
    if (label->text() != text)
        label->setText(text);
}
