#ifndef SWASHTRIMCOLLECTIVE_H
#define SWASHTRIMCOLLECTIVE_H

#include "abstracttrimswash.h"

class QAbstractButton;
class TrimButton;

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

    // The inner buttons (step is -1 or +1) and the drag track, in widget coordinates.
    QAbstractButton* clearButton() const;
    QAbstractButton* stepButton(int step) const;
    QRect trackRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void setTrimMonitorValue(int channel, int value) override;

signals:
    void _trimValueChanged(int value);
    void _resetValue(int value);

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
    QRectF trackRectF() const;
    int valueAtTrack(double x) const;
    void userChange(int value);
    void layoutButtons();

    int m_trim = 0;
    TrimButton* m_minus = nullptr;
    TrimButton* m_plus = nullptr;
    TrimButton* m_clear = nullptr;
    bool m_dragging = false;
    int m_dragStartValue = 0;
};

#endif // SWASHTRIMCOLLECTIVE_H
