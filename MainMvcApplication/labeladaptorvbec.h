#ifndef LABELADAPTORVBEC_H
#define LABELADAPTORVBEC_H

#include "abstractfieldadaptor.h"

// The live supply voltage on a label, from tenths of a volt ("VBEC: 7.40 V" for 74).
// Its value is the label's text, which reads as 0; a supply voltage of exactly 0 is
// therefore never shown, which costs nothing since the unit cannot report it while
// running on it.
class LabelAdaptorVBEC : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit LabelAdaptorVBEC(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;
};

#endif // LABELADAPTORVBEC_H
