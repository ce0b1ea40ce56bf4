#ifndef SWASHTRIMCYCLIC_H
#define SWASHTRIMCYCLIC_H

#include "abstracttrimswash.h"

// Cyclic swash trims: three axes, each trimmed separately for its two directions.
class HXCUSTOMWIDGETS_EXPORT SwashTrimCyclic : public AbstractTrimSwash
{
    Q_OBJECT
public:
    enum TrimType { Aileron = 0, Elevator = 1, Pitch = 2 };
    Q_ENUM(TrimType)
    enum TrimDirection { Positive = 0, Negative = 1 };
    Q_ENUM(TrimDirection)

    explicit SwashTrimCyclic(QWidget* parent = nullptr);
    ~SwashTrimCyclic() override;

    // Clamped into the trim range; never emits _trimValueChanged.
    void setTrimValue(SwashTrimCyclic::TrimType type, SwashTrimCyclic::TrimDirection direction,
                      int value);
    int trimValue(SwashTrimCyclic::TrimType type, SwashTrimCyclic::TrimDirection direction) const;

    void setToolTipForClearButton(const QString& text);

    void setMonitorRange(int min, int max) override;

public slots:
    // Also re-emitted as _monitorChannelValueChanged so the collective trim shows it too.
    void setTrimMonitorValue(int channel, int value) override;

signals:
    // A user change of one trim: type, direction, value, and whether it is part of a
    // batch (the clear button resets all six trims in one go).
    void _trimValueChanged(int type, int direction, int value, bool blocking);
    void _monitorChannelValueChanged(int channel, int value);
};

#endif // SWASHTRIMCYCLIC_H
