#include "rxtypecomboboxadaptor.h"

#include <QComboBox>

namespace {
// The receiver entry standing for the satellites, and the satellite types.
constexpr int SatelliteEntry = 0;
constexpr int Dsm2Satellite = 4;
constexpr int DsmxSatellite = 5;
} // namespace

RxTypeComboBoxAdaptor::RxTypeComboBoxAdaptor(QObject* inputField, QObject* parent)
    : ComboBoxAdaptor(inputField, parent)
{}

void RxTypeComboBoxAdaptor::setSatelliteComboBox(QComboBox* comboBox)
{
    m_satellite = comboBox;
}

QComboBox* RxTypeComboBoxAdaptor::satelliteComboBox() const
{
    return m_satellite.data();
}

QVariant RxTypeComboBoxAdaptor::getValue() const
{
    const QVariant receiver = ComboBoxAdaptor::getValue();
    if (receiver.isValid() && receiver.toInt() == SatelliteEntry && m_satellite)
        return m_satellite->currentData(Qt::UserRole);
    return receiver;
}

void RxTypeComboBoxAdaptor::setValue(const QVariant& val)
{
    const int type = val.toInt();
    if (type != Dsm2Satellite && type != DsmxSatellite) {
        ComboBoxAdaptor::setValue(val);
        return;
    }
    QComboBox* receiver = inputFieldAs<QComboBox>();
    if (!receiver)
        return;
    receiver->setCurrentIndex(receiver->count() - 1);
    if (!m_satellite)
        return;
    const int index = m_satellite->findData(type, Qt::UserRole, Qt::MatchExactly);
    if (index >= 0)
        m_satellite->setCurrentIndex(index);
}

void RxTypeComboBoxAdaptor::cbStellite_activated(int)
{
    if (!inputField())
        return;
    emit _adaptorValueChanged(getValue(), false);
}
