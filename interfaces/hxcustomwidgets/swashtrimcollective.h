#ifndef SWASHTRIMCOLLECTIVE_H
#define SWASHTRIMCOLLECTIVE_H

#include "abstracttrimswash.h"

// The collective trim: one trim value, and a clear button that asks the unit to reset it.
class HXCUSTOMWIDGETS_EXPORT SwashTrimCollective : public AbstractTrimSwash
{
    Q_OBJECT
public:
    // The command value the clear button sends through _resetValue (written to the
    // unit's command address).
    static constexpr int ResetCommand = 60;

    explicit SwashTrimCollective(QWidget* parent = nullptr);
    ~SwashTrimCollective() override;

    // Clamped into the trim range; never emits _trimValueChanged.
    void setTrimValue(int value);
    int trimValue() const;

    void setMonitorRange(int min, int max) override;

public slots:
    void setTrimMonitorValue(int channel, int value) override;

signals:
    void _trimValueChanged(int value);
    void _resetValue(int value);
};

#endif // SWASHTRIMCOLLECTIVE_H
