#include "gearratiolineeditadaptor.h"

#include <QDebug>
#include <QLineEdit>
#include <QStringList>

GearRatioLineEditAdaptor::GearRatioLineEditAdaptor(QObject* inputField, QObject* parent)
    : LineEditAdaptor(inputField, parent)
{}

QVariant GearRatioLineEditAdaptor::getValue() const
{
    const QLineEdit* edit = inputFieldAs<QLineEdit>();
    if (!edit)
        return QVariant();
    return valueFromText(edit->text());
}

void GearRatioLineEditAdaptor::setValue(const QVariant& val)
{
    const int value = val.toInt();
    qDebug() << "Gov" << value;
    if (QLineEdit* edit = inputFieldAs<QLineEdit>())
        edit->setText(textFromValue(value));
}

QString GearRatioLineEditAdaptor::textFromValue(int value)
{
    // The unit never holds a negative ratio; should one arrive, its sign goes in front
    // rather than into both halves.
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = qAbs(static_cast<qint64>(value));
    const qint64 whole = magnitude / 100;
    const qint64 fraction = magnitude - 100 * whole;
    return sign + QString::number(whole).rightJustified(2, QLatin1Char('0')) + QLatin1Char('.') +
           QString::number(fraction).rightJustified(2, QLatin1Char('0'));
}

int GearRatioLineEditAdaptor::valueFromText(const QString& text)
{
    const QChar separator = text.contains(QLatin1Char(',')) ? QLatin1Char(',') : QLatin1Char('.');
    const QStringList pieces = text.split(separator);
    const int whole = pieces.first().toInt(nullptr, 10);
    int fraction = 0;
    if (pieces.size() > 1) {
        const QString last = pieces.last();
        fraction = last.toInt(nullptr, 10);
        // "12.5" means 12.50, not 12.05.
        if (last.size() <= 1)
            fraction *= 10;
    }
    return 100 * whole + fraction;
}
