#include "livevalues.h"

#include <QRandomGenerator>
#include <QtMath>

#include <cmath>

LiveValues::LiveValues(quint32 seed)
    : m_seed(seed)
{
    QRandomGenerator random(seed);
    for (int c = 0; c < 8; ++c) {
        for (int k = 0; k < 3; ++k) {
            m_phase[c][k] = random.bounded(2.0 * M_PI);
            // Slow, pilot-like motion: a fraction of a hertz.
            m_frequency[c][k] = 0.04 + random.bounded(0.12) * (k + 1);
        }
    }
}

void LiveValues::setTrims(int aileron, int elevator, int pitch)
{
    m_trim[0] = aileron - 100;
    m_trim[1] = elevator - 100;
    m_trim[2] = pitch - 100;
}

double LiveValues::noise(int channel, double seconds, double rate) const
{
    // A repeatable value in -1..1 that changes rate times a second.
    const quint32 slot = quint32(qint64(seconds * rate));
    quint32 h = m_seed * 2654435761u ^ (quint32(channel) * 40503u) ^ (slot * 2246822519u);
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return (h % 20001) / 10000.0 - 1.0;
}

int LiveValues::stick(int channel, double seconds) const
{
    const int c = channel - 111;
    if (m_binding)
        return 1520;
    double s = 0;
    switch (channel) {
    case 113: {
        // Throttle: mostly slow sweeps over the whole range.
        s = 0.5 + 0.5 * qSin(2 * M_PI * m_frequency[c][0] * 0.5 * seconds + m_phase[c][0]);
        return qBound(920, int(920 + 1200 * s + 2 * noise(channel, seconds, 50)), 2120);
    }
    case 115: {
        // Gear switch: three positions, changed every few seconds.
        static const int positions[] = {1100, 1520, 1940};
        return positions[int(seconds / 6.0 + m_phase[c][0]) % 3];
    }
    case 117:
        // Aux switch: two positions.
        return (int(seconds / 9.0 + m_phase[c][1]) % 2) ? 2000 : 1520;
    default:
        break;
    }
    for (int k = 0; k < 3; ++k) {
        const double weight = k == 0 ? 0.6 : (k == 1 ? 0.3 : 0.1);
        s += weight * qSin(2 * M_PI * m_frequency[c][k] * seconds + m_phase[c][k]);
    }
    // The pilot often lets a stick rest near the centre.
    s = s * s * s * 0.6 + s * 0.4;
    return qBound(920, int(1520 + 600 * s + 2 * noise(channel, seconds, 50)), 2120);
}

int LiveValues::value(int address, double seconds) const
{
    if (address >= 111 && address <= 117)
        return stick(address, seconds);
    switch (address) {
    case 100: {
        // 7.4 V with noise, sagging a little while the servos work hard.
        const double load = (qAbs(stick(111, seconds) - 1520) + qAbs(stick(112, seconds) - 1520) +
                             qAbs(stick(116, seconds) - 1520)) /
                            1800.0;
        return int(qRound(74 - 1.5 * load + 0.8 * noise(100, seconds, 10)));
    }
    case 217:
    case 218:
    case 219: {
        // 120 degree CCPM: each servo mixes collective, aileron and elevator.
        const double aileron = stick(111, seconds) - 1520 + 2 * m_trim[0];
        const double elevator = stick(112, seconds) - 1520 + 2 * m_trim[1];
        const double pitch = stick(116, seconds) - 1520 + 2 * m_trim[2];
        double mix = 0;
        if (address == 217)
            mix = 0.4 * pitch + 0.35 * aileron - 0.2 * elevator;
        else if (address == 218)
            mix = 0.4 * pitch - 0.35 * aileron - 0.2 * elevator;
        else
            mix = 0.4 * pitch + 0.4 * elevator;
        return qBound(1120, int(1520 + mix), 1920);
    }
    case 220:
        return qBound(1120, int(1520 + 0.6 * (stick(114, seconds) - 1520)), 1920);
    case 451: {
        if (seconds < m_gpsFixAfter)
            return 0;
        const int satellites = 5 + qMin(6, int((seconds - m_gpsFixAfter) / 5.0));
        return satellites - (noise(451, seconds, 0.5) > 0.7 ? 1 : 0);
    }
    case 500: {
        // A slow turn with some wander, in tenths of a degree.
        const double degrees = m_phase[7][0] * 57.0 + 3.0 * seconds +
                               20.0 * qSin(0.05 * seconds + m_phase[7][1]) +
                               0.5 * noise(500, seconds, 5);
        double d = std::fmod(degrees, 360.0);
        if (d < 0)
            d += 360.0;
        return qBound(0, int(d * 10), 3599);
    }
    default:
        return 0;
    }
}
