#ifndef SLIDERADAPTOR_H
#define SLIDERADAPTOR_H

#include "abstractfieldadaptor.h"

// A QSlider whose position is the raw value. A drag sends one value, at release; a
// keyboard or page step sends the new value as soon as it changes; a value set by the
// program, a jump to the minimum or maximum and a wheel scroll send nothing.
class HXADAPTORVIEWS_EXPORT SliderAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit SliderAdaptor(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    // Qt clamps the value into the slider's range.
    void setValue(const QVariant& val) override;

signals:
    void _sliderValueChanged(QObject* field, int value);

public slots:
    virtual void sliderPressed();
    virtual void sliderReleased();
    virtual void sliderActionTriggered(int action);
    virtual void sliderValueChanged(int value);
};

#endif // SLIDERADAPTOR_H
