#ifndef LABELADAPTORGPSCOMPASS_H
#define LABELADAPTORGPSCOMPASS_H

#include "abstractfieldadaptor.h"

// The compass heading on a label, from tenths of a degree ("12.3" for 123).
//
// The value is the last raw heading shown (0 at start, matching the form's "0.0"), not
// the label's text: a text such as "12.3" reads as 0, so the adaptor model would take
// every later heading of 0 (north) as already shown.
class LabelAdaptorGPSCompass : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit LabelAdaptorGPSCompass(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

private:
    int m_value = 0;
};

#endif // LABELADAPTORGPSCOMPASS_H
