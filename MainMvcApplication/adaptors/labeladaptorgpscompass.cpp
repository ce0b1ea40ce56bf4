#include "labeladaptorgpscompass.h"

#include <QLabel>
#include <QString>

LabelAdaptorGPSCompass::LabelAdaptorGPSCompass(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

QVariant LabelAdaptorGPSCompass::getValue() const
{
    if (!inputFieldAs<QLabel>())
        return QVariant();
    return m_value;
}

void LabelAdaptorGPSCompass::setValue(const QVariant& val)
{
    QLabel* label = inputFieldAs<QLabel>();
    if (!label)
        return;
    m_value = val.toInt();
    const float degrees = static_cast<float>(m_value) / 10.0f;
    const QString text = QString::asprintf("%.1f", static_cast<double>(degrees));
    if (label->text() != text)
        label->setText(text);
}
