#ifndef SWASHTRIMCYCLICMONITORADAPTOR_H
#define SWASHTRIMCYCLICMONITORADAPTOR_H

#include "abstractfieldadaptor.h"

// One live swash servo channel (addresses 217 to 220) shown on the cyclic trim widget.
// The value is always 0: servo channel values never are, so no reading is skipped.
class SwashTrimCyclicMonitorAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit SwashTrimCyclicMonitorAdaptor(QObject* inputField, QObject* parent = nullptr);

    // The monitor channel, which is the parameter address itself.
    void setChannel(int channel);
    int channel() const;

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

private:
    int m_channel = 0;
};

#endif // SWASHTRIMCYCLICMONITORADAPTOR_H
