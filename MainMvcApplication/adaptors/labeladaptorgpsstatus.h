#ifndef LABELADAPTORGPSSTATUS_H
#define LABELADAPTORGPSSTATUS_H

#include "abstractfieldadaptor.h"

// The unit's GPS fix on a label. The raw value is 0 while there is no fix and the number
// of satellites in use once the position is fixed.
//
// The value is the last raw value shown (0 at start, matching the form's "Not Fixed"),
// not the label's text: the adaptor model skips values equal to the adaptor's value, and
// a text that reads as 0 would hide the return to "no fix".
class LabelAdaptorGPSStatus : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit LabelAdaptorGPSStatus(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

    // The label text for a raw status value.
    static QString statusText(int value);

private:
    int m_value = 0;
};

#endif // LABELADAPTORGPSSTATUS_H
