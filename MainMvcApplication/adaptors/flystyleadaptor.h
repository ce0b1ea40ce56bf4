#ifndef FLYSTYLEADAPTOR_H
#define FLYSTYLEADAPTOR_H

#include "abstractfieldadaptor.h"

// The flying style chosen on the drawn FlyStyleView; the raw value is the style number
// (1..4) as the view holds it. The model builder connects the view's _valueChanged(int)
// to flyStyleValueChanged(int).
class FlyStyleAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit FlyStyleAdaptor(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

public slots:
    void flyStyleValueChanged(int val);
};

#endif // FLYSTYLEADAPTOR_H
