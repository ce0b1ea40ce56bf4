#ifndef LIVEVALUES_H
#define LIVEVALUES_H

#include <QtGlobal>

// What the unit measures, as a function of the time since it was powered on: receiver
// channels moving like a pilot's sticks, the supply voltage with noise, the swash servo
// monitors following the sticks, a slowly turning compass and a GPS that gets its fix after
// a few seconds. The same seed gives the same values at the same time.
class LiveValues
{
public:
    explicit LiveValues(quint32 seed = 1);

    void setGpsFixAfter(double seconds) { m_gpsFixAfter = seconds; }
    // A receiver in bind mode delivers no channels: they sit at the centre.
    void setBinding(bool binding) { m_binding = binding; }
    // Trims (raw, centre 100) that shift the swash monitors: aileron, elevator, pitch.
    void setTrims(int aileron, int elevator, int pitch);

    // Only for the live addresses (100, 111..117, 217..220, 451, 500).
    int value(int address, double seconds) const;

private:
    int stick(int channel, double seconds) const;
    double noise(int channel, double seconds, double rate) const;

    quint32 m_seed;
    double m_phase[8][3];
    double m_frequency[8][3];
    double m_gpsFixAfter = 4.0;
    bool m_binding = false;
    int m_trim[3] = {0, 0, 0};
};

#endif // LIVEVALUES_H
