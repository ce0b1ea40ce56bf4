#ifndef SWASHTRIMCYCLIC_H
#define SWASHTRIMCYCLIC_H

#include "abstracttrimswash.h"

class QAbstractButton;
class TrimButton;

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

    // The inner buttons, for whoever needs to reach them (tests, tooltips). step is -1 or +1.
    QAbstractButton* clearButton() const;
    QAbstractButton* stepButton(SwashTrimCyclic::TrimType type,
                                SwashTrimCyclic::TrimDirection direction, int step) const;
    // Where a trim's drag track lies, in widget coordinates.
    QRect trackRect(SwashTrimCyclic::TrimType type, SwashTrimCyclic::TrimDirection direction) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Also re-emitted as _monitorChannelValueChanged so the collective trim shows it too.
    void setTrimMonitorValue(int channel, int value) override;

signals:
    // A user change of one trim: type, direction, value, and whether it is part of a
    // batch (the clear button resets all six trims in one go).
    void _trimValueChanged(int type, int direction, int value, bool blocking);
    void _monitorChannelValueChanged(int channel, int value);

protected:
    void trimRangeChanged() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    static constexpr int TypeCount = 3;
    static constexpr int DirectionCount = 2;

    QRectF cellRect(int type, int direction) const;
    QRectF trackRectF(int type, int direction) const;
    bool cellAt(const QPoint& pos, int* type, int* direction, bool trackOnly) const;
    int valueAtTrack(int type, int direction, double x) const;
    void userChange(int type, int direction, int value);
    void clearAll();
    void layoutButtons();

    int m_trims[TypeCount][DirectionCount] = {{0, 0}, {0, 0}, {0, 0}};
    TrimButton* m_steps[TypeCount][DirectionCount][2] = {};
    TrimButton* m_clear = nullptr;
    int m_dragType = -1;
    int m_dragDirection = -1;
    int m_dragStartValue = 0;
};

#endif // SWASHTRIMCYCLIC_H
