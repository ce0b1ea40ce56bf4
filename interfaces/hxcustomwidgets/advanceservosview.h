#ifndef ADVANCESERVOSVIEW_H
#define ADVANCESERVOSVIEW_H

#include "hxcustomwidgets_global.h"

#include <QList>
#include <QWidget>

class QVariantAnimation;

// Top view of the swash plate with its servo arms. Each channel sits at its default
// angle for the swash type plus the phasing angle, which the user turns in steps.
// Angles are whole degrees; the phasing angle is kept in 0..359 so it is always a
// non-negative raw value for the unit.
class HXCUSTOMWIDGETS_EXPORT AdvanceServosView : public QWidget
{
    Q_OBJECT
public:
    // stepDegrees is how far one rotateLeft()/rotateRight() turns the phasing.
    AdvanceServosView(int width, int height, QWidget* parent = nullptr, double stepDegrees = 5.0);
    ~AdvanceServosView() override;

    // Phasing angle in degrees; values are normalised into 0..359.
    void setAngle(int angle);
    int angle() const;

    // The default angles of Ch1..Ch4 for the swash type; -1 marks a missing channel.
    void resetChannelDefaultAngle(const QList<int>& angles);
    // Current angles of Ch1..Ch4 (default + phasing, 0..359), -1 for a missing channel.
    QList<int> channelAngles() const;

    // The default angles last given (-1 for a missing channel) and the rotate step.
    QList<int> channelDefaultAngles() const;
    double stepDegrees() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void rotateLeft();
    void rotateRight();

signals:
    void _angleChanged(QList<int> angles);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyPhase(double degrees);

    QSize m_designSize;
    double m_step = 5.0;
    double m_phase = 0.0;      // kept in [0, 360)
    double m_shownPhase = 0.0; // what is drawn, trails m_phase while turning
    QList<int> m_defaults;
    QVariantAnimation* m_turn = nullptr;
};

#endif // ADVANCESERVOSVIEW_H
