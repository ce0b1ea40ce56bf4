#include "flightlog.h"

#include <QRandomGenerator>
#include <QtMath>

#include <algorithm>

FlightLog::FlightLog(quint32 seed)
{
    for (int n = 0; n < Records; ++n)
        build(n, seed * 7919u + quint32(n) * 104729u + 17u);
}

QByteArray FlightLog::record(int address) const
{
    const int n = (address - 600) / 10;
    if (address < 600 || n >= Records)
        return QByteArray();
    if (address == 600 + 10 * n)
        return m_events[n];
    if (address == 604 + 10 * n)
        return m_charts[n];
    return QByteArray();
}

namespace {

// 0 before a, 1 after b, smooth in between.
double smoothStep(double a, double b, double x)
{
    if (x <= a)
        return 0;
    if (x >= b)
        return 1;
    const double t = (x - a) / (b - a);
    return t * t * (3 - 2 * t);
}

} // namespace

void FlightLog::build(int n, quint32 seed)
{
    QRandomGenerator random(seed);
    const auto between = [&random](int low, int high) {
        return low + int(random.bounded(high - low + 1));
    };

    // Times in tenths of a second since power-on.
    const int gpsFix = between(40, 90);
    const int arm = between(150, 320);
    const int governor = arm + between(15, 30);
    const int spooled = governor + between(80, 120);
    const int flight = between(1800, 3600);
    const int disarm = spooled + flight;
    const int powerOff = disarm + between(150, 300);
    const int targetRpm = 1900 + 50 * between(0, 10);

    QVector<Event> events = {{1, 0},       {14, gpsFix}, {2, arm},      {4, governor},
                             {5, spooled}, {3, disarm},  {20, powerOff}};
    // Each flight has its own incidents.
    int lowVoltageAt = -1;
    int bailoutAt = -1;
    int rescueAt = -1;
    switch (n) {
    case 0:
        events.append({18, spooled + flight / 3});
        events.append({18, spooled + 2 * flight / 3});
        break;
    case 1:
        lowVoltageAt = disarm - between(200, 400);
        events.append({9, lowVoltageAt});
        break;
    case 2: {
        const int lost = spooled + between(300, flight - 300);
        events.append({11, lost});
        events.append({12, lost + between(3, 12)});
        events.append({19, spooled + between(100, flight - 100)});
        break;
    }
    case 3:
        bailoutAt = spooled + flight / 2;
        events.append({6, bailoutAt});
        break;
    default:
        rescueAt = spooled + between(400, flight - 400);
        events.append({7, rescueAt});
        events.append({8, rescueAt + between(20, 40)});
        events.append({16, disarm - 600});
        events.append({17, disarm - 150});
        break;
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.time < b.time; });
    QByteArray list;
    for (const Event& e : qAsConst(events)) {
        if (!list.isEmpty())
            list.append(',');
        list.append(QByteArray::number(e.code) + '_' + QByteArray::number(e.time));
    }
    m_events[n] = list;

    // The chart covers power-on to power-off in 150..300 samples.
    const int period = qMax(2, (powerOff + 249) / 250);
    const int samples = powerOff / period + 1;
    const double p1 = random.bounded(6.28);
    const double p2 = random.bounded(6.28);
    const double p3 = random.bounded(6.28);
    QByteArray rpm("rpm:"), thr("thr:"), vbec("vbec:"), col("col:"), yaw("yaw:"), alt("alt:");
    double altitude = 0;
    for (int i = 0; i < samples; ++i) {
        const double t = i * period; // tenths
        const double s = t / 10.0;   // seconds
        const double flying =
                smoothStep(spooled, spooled + 50, t) * (1 - smoothStep(disarm - 80, disarm, t));
        double collective = flying * (60 * qSin(0.21 * s + p1) + 40 * qSin(0.57 * s + p2) +
                                      15 * qSin(1.3 * s + p3));
        if (bailoutAt >= 0 && t > bailoutAt && t < bailoutAt + 60)
            collective = -40;
        const double load = qAbs(collective) / 115.0;
        double head = 0;
        double throttle = 0;
        if (t >= governor && t < disarm) {
            head = targetRpm * smoothStep(governor, spooled, t) * (1 - 0.04 * load * flying);
            throttle = (25 + 30 * smoothStep(governor, spooled, t) + 25 * load * flying);
            if (bailoutAt >= 0 && t > bailoutAt && t < bailoutAt + 60) {
                head *= 0.85;
                throttle = 8;
            }
        } else if (t >= disarm) {
            // Throttle hold: the head spins down.
            head = targetRpm * qExp(-(t - disarm) / 120.0);
        }
        double voltage = 74 - 2.5 * load * flying + random.bounded(1.0);
        if (lowVoltageAt >= 0 && t > lowVoltageAt - 30 && t < lowVoltageAt + 20)
            voltage = 47 + random.bounded(3.0);
        double yawRate = flying * (25 * qSin(0.8 * s + p2) + random.bounded(10.0) - 5);
        if (n == 0 && t > spooled + flight / 2 && t < spooled + flight / 2 + 40)
            yawRate = 360; // a pirouette
        if (rescueAt >= 0 && t > rescueAt && t < rescueAt + 30)
            collective = 90;
        // Altitude follows the collective, never below the ground.
        altitude += flying * (collective / 8.0 + 3) * period / 10.0;
        altitude = qBound(0.0, altitude, 3000.0) * (flying > 0.02 ? 1.0 : 0.0);
        const auto add = [i](QByteArray& series, double v) {
            if (i)
                series.append(',');
            series.append(QByteArray::number(qRound(v)));
        };
        add(rpm, head);
        add(thr, qBound(0.0, throttle, 100.0));
        add(vbec, voltage);
        add(col, collective);
        add(yaw, yawRate);
        add(alt, altitude);
    }
    m_charts[n] = QByteArray::number(period) + ';' + rpm + ';' + thr + ';' + vbec + ';' + col +
                  ';' + yaw + ';' + alt;
}
