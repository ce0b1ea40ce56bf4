#include "labeladaptorvbec.h"

#include <QDebug>
#include <QLabel>
#include <QString>

LabelAdaptorVBEC::LabelAdaptorVBEC(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

QVariant LabelAdaptorVBEC::getValue() const
{
    if (!inputFieldAs<QLabel>())
        return QVariant();
    return m_value;
}

void LabelAdaptorVBEC::setValue(const QVariant& val)
{
    QLabel* label = inputFieldAs<QLabel>();
    if (!label)
        return;
    m_value = val.toInt();
    QString text;
    if (m_value < 0 || m_value > MaxTenths) {
        if (!m_warned)
            qWarning("Supply voltage %d (tenths of a volt) out of range; shown as out of range",
                     m_value);
        m_warned = true;
        text = QStringLiteral("VBEC: \u221e V");
    } else {
        m_warned = false;
        const float volts = static_cast<float>(m_value) / 10.0f;
        text = QString::asprintf("VBEC: %.2f V", static_cast<double>(volts));
    }
    if (label->text() != text)
        label->setText(text);
}
