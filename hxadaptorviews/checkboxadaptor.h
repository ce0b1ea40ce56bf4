#ifndef CHECKBOXADAPTOR_H
#define CHECKBOXADAPTOR_H

#include "abstractfieldadaptor.h"

// A QCheckBox for an on/off parameter: raw 1 when checked, 0 when not.
class HXADAPTORVIEWS_EXPORT CheckBoxAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit CheckBoxAdaptor(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

signals:
    void _clicked(QObject* field, bool checked);
    void _toggled(bool checked);

public slots:
    virtual void clicked(bool checked);
};

#endif // CHECKBOXADAPTOR_H
