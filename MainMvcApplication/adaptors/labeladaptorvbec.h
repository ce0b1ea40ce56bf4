#ifndef LABELADAPTORVBEC_H
#define LABELADAPTORVBEC_H

#include "abstractfieldadaptor.h"

// The live supply voltage on a label, from tenths of a volt ("VBEC: 7.40 V" for 74).
// Its value is the last raw value shown, not the label's text: the adaptor model skips
// values equal to the adaptor's value, and a text that reads as 0 would hide a drop to
// 0 V. A value no supply can have is shown as "VBEC: ∞ V" and logged once.
class LabelAdaptorVBEC : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit LabelAdaptorVBEC(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

    // The largest supply voltage shown as a number, in tenths of a volt.
    static constexpr int MaxTenths = 999;

private:
    int m_value = 0;
    bool m_warned = false;
};

#endif // LABELADAPTORVBEC_H
