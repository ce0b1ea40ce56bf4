#include "genericdividelineeditadaptor.h"

#include <QLineEdit>
#include <QtGlobal>

GenericDivideLineEditAdaptor::GenericDivideLineEditAdaptor(QObject* inputField, QObject* parent)
    : LineEditAdaptor(inputField, parent)
{}

void GenericDivideLineEditAdaptor::setDivisor(int divisor)
{
    m_divisor = qMax(1, divisor);
}

int GenericDivideLineEditAdaptor::divisor() const
{
    return m_divisor;
}

QVariant GenericDivideLineEditAdaptor::getValue() const
{
    QLineEdit* edit = inputFieldAs<QLineEdit>();
    if (!edit)
        return QVariant();
    // The mark stays until the unit sends a value the edit can show.
    if (edit->text() == outOfRangeMark())
        return 0;
    const int typed = edit->text().toInt(nullptr, 10);
    const int value = qRound(static_cast<double>(typed) / m_divisor);
    const QString text = QString::number(static_cast<qint64>(value) * m_divisor);
    if (edit->text() != text)
        edit->setText(text);
    return value;
}

void GenericDivideLineEditAdaptor::setValue(const QVariant& val)
{
    showText(QString::number(static_cast<qint64>(val.toInt()) * m_divisor), val.toInt());
}

void GenericDivideLineEditAdaptor::returnPressed()
{
    LineEditAdaptor::returnPressed();
    // Sending rewrote the text to the rounded value; an edit abandoned later must fall
    // back to that, not to the unrounded entry.
    if (const QLineEdit* edit = inputFieldAs<QLineEdit>())
        setLastCommittedText(edit->text());
}
