#include "labeladaptorgpsstatus.h"

#include <QLabel>
#include <QString>

LabelAdaptorGPSStatus::LabelAdaptorGPSStatus(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

QVariant LabelAdaptorGPSStatus::getValue() const
{
    if (!inputFieldAs<QLabel>())
        return QVariant();
    return m_value;
}

void LabelAdaptorGPSStatus::setValue(const QVariant& val)
{
    QLabel* label = inputFieldAs<QLabel>();
    if (!label)
        return;
    m_value = val.toInt();
    const QString text = statusText(m_value);
    if (label->text() != text)
        label->setText(text);
}

QString LabelAdaptorGPSStatus::statusText(int value)
{
    // Anything but a positive satellite count means there is no usable position.
    if (value <= 0)
        return QStringLiteral("Not Fixed");
    if (value == 1)
        return QStringLiteral("Fixed (1 sat)");
    return QStringLiteral("Fixed (%1 sats)").arg(value);
}
