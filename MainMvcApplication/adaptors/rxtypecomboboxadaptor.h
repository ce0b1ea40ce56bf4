#ifndef RXTYPECOMBOBOXADAPTOR_H
#define RXTYPECOMBOBOXADAPTOR_H

#include "comboboxadaptor.h"

#include <QPointer>

class QComboBox;

// The receiver type. One entry of the receiver combo (item data 0, the last one) stands
// for the satellite receivers, whose actual type (DSM2 4, DSMX 5) is chosen in a second
// combo; the unit stores only that actual type.
class RxTypeComboBoxAdaptor : public ComboBoxAdaptor
{
    Q_OBJECT

public:
    explicit RxTypeComboBoxAdaptor(QObject* inputField, QObject* parent = nullptr);

    void setSatelliteComboBox(QComboBox* comboBox);
    QComboBox* satelliteComboBox() const;

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

public slots:
    void cbStellite_activated(int index);

private:
    QPointer<QComboBox> m_satellite;
};

#endif // RXTYPECOMBOBOXADAPTOR_H
