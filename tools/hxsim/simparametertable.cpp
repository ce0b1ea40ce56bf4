#include "simparametertable.h"

#include <QHash>

namespace {

using Definition = SimParameterTable::Definition;

Definition setting(int address, int def, int min, int max)
{
    return {address, def, min, max, SimParameterTable::Setting};
}

Definition flag(int address, int def)
{
    return {address, def, 0, 1, SimParameterTable::Setting};
}

QVector<Definition> buildTable()
{
    using T = SimParameterTable;
    QVector<Definition> t;
    // Device information: hardware in tenths, firmware in hundredths, serial number.
    t << Definition{1, 11, 11, 11, T::ReadOnly} << Definition{2, 215, 215, 215, T::ReadOnly}
      << Definition{3, 0, 0, 0, T::ReadOnly};
    // Commands: 10 reset groups, 102 satellite bind, 129 set centre, 224 gyro off.
    t << Definition{10, 0, 0, 0, T::Command} << Definition{102, 0, 0, 9, T::Command}
      << Definition{129, 0, 0, 1, T::Command} << Definition{224, 0, 0, 1, T::Command};
    // Live values.
    t << Definition{100, 74, 0, 255, T::Live};
    for (int a = 111; a <= 117; ++a)
        t << Definition{a, 1520, 920, 2120, T::Live};
    for (int a = 217; a <= 220; ++a)
        t << Definition{a, 1520, 1120, 1920, T::Live};
    t << Definition{451, 0, 0, 32, T::Live} << Definition{500, 0, 0, 3599, T::Live};
    // Flight log: event list at 600 + 10n, chart data at 604 + 10n.
    for (int n = 0; n < 5; ++n)
        t << Definition{600 + 10 * n, 0, 0, 0, T::Record}
          << Definition{604 + 10 * n, 0, 0, 0, T::Record};

    // Start: receiver, heli size, fly style, LowBec (tenths of a volt), rescue, bank.
    t << setting(101, 1, 1, 7) << setting(103, 50, 35, 100) << setting(104, 0, 0, 2)
      << setting(121, 1, 1, 7) << setting(122, 2, 1, 4) << setting(150, 0, 0, 1)
      << setting(152, 50, 0, 100);
    // Rotor direction, servo types, sensor direction.
    t << setting(124, 1, 1, 2) << setting(125, 1, 1, 2) << setting(126, 1, 1, 3)
      << setting(127, 1, 1, 8);
    // Servo directions (1 = normal) and tail servo direction.
    for (int a = 131; a <= 135; ++a)
        t << flag(a, 0);
    // Collective: direction, travels, pitch pump, trim (raw = trim + 100).
    t << setting(136, 1, 1, 2) << setting(137, 45, 30, 75) << flag(138, 0)
      << setting(139, 0, 0, 100) << setting(140, 100, 0, 200) << setting(141, 0, 0, 100)
      << setting(142, 45, 30, 75);
    // Swash type, servo centres (raw = slider + 100), cyclic ring, phasing angle.
    t << setting(203, 1, 1, 5);
    for (int a = 204; a <= 207; ++a)
        t << setting(a, 100, 0, 200);
    t << flag(209, 1) << setting(210, 85, 0, 100) << setting(211, 0, 0, 359);
    // Tail travels.
    t << setting(212, 100, 60, 140) << setting(216, 100, 60, 140);
    // Swash trims (raw = trim + 100).
    for (int a : {222, 223, 225, 226, 227, 228})
        t << setting(a, 100, 0, 200);
    // Cyclic gains.
    t << setting(290, 50, 20, 100) << setting(291, 50, 20, 100) << setting(292, 50, 20, 100);
    t << setting(300, 100, 50, 150) << setting(301, 100, 30, 100) << setting(302, 100, 50, 150)
      << setting(303, 100, 0, 150) << setting(304, 500, 300, 700) << setting(305, 250, 150, 500)
      << setting(306, 250, 150, 500) << setting(307, 50, 20, 100) << setting(308, 50, 0, 100)
      << setting(309, 50, 20, 100);
    // Main rotor and tail parameters.
    t << setting(310, 10, 0, 25) << setting(311, 50, 0, 100) << setting(312, 50, 0, 100)
      << setting(313, 0, 0, 100) << setting(314, 50, 0, 100) << setting(315, 50, 0, 100)
      << setting(316, 0, 0, 100) << setting(317, 50, 0, 100) << setting(318, 50, 0, 100)
      << setting(319, 50, 0, 100);
    t << setting(320, 50, 0, 100) << setting(321, 50, 0, 100) << setting(322, 50, 0, 100);
    // Banks: agility and gain of banks 1..3 (343, 344, 348, 349 are kept for banks 4 and 5).
    for (int a : {340, 341, 342, 343, 344})
        t << setting(a, 100, 50, 150);
    for (int a : {345, 346, 347, 348, 349})
        t << setting(a, 50, 30, 100);
    // GPS: return-to-home altitude (cm), speeds (cm/s), gains.
    t << setting(400, 0, 0, 3000) << setting(401, 10, 10, 1000) << setting(402, 10, 10, 400)
      << setting(406, 20, 20, 100) << setting(411, 20, 20, 100);
    // Governor: mode, throttle servo, motor off (raw = -slider), max throttle, reverse,
    // RPM1..3 (raw = rpm / 10), gear ratio (hundredths), motor poles, bailout, start
    // throttle, scroll-up, gain, rpm type.
    t << setting(511, 0, 0, 2) << setting(512, 1, 1, 2) << setting(521, 100, 50, 150)
      << setting(522, 100, 50, 150) << flag(523, 0) << setting(524, 250, 100, 999)
      << setting(525, 1000, 0, 9999) << setting(526, 0, 0, 9999) << setting(527, 8, 0, 100)
      << flag(528, 0) << flag(529, 0) << setting(530, 0, 0, 30) << setting(531, 1, 1, 5)
      << setting(532, 1, 1, 10) << setting(533, 250, 100, 999) << setting(534, 250, 100, 999)
      << setting(535, 0, 0, 3);
    return t;
}

} // namespace

const QVector<SimParameterTable::Definition>& SimParameterTable::all()
{
    static const QVector<Definition> table = buildTable();
    return table;
}

const SimParameterTable::Definition* SimParameterTable::find(int address)
{
    static const QHash<int, int> index = [] {
        QHash<int, int> h;
        const QVector<Definition>& t = all();
        for (int i = 0; i < t.size(); ++i)
            h.insert(t.at(i).address, i);
        return h;
    }();
    const auto it = index.constFind(address);
    return it == index.constEnd() ? nullptr : &all().at(it.value());
}

QVector<int> SimParameterTable::resetGroup(int command)
{
    switch (command) {
    case 40:
        return {209, 210, 211};
    case 50:
        return {131, 132, 133, 134, 204, 205, 206};
    case 51:
        return {222, 223, 225, 226, 227, 228};
    case 60:
        return {140};
    case 70:
        return {300, 301, 302, 305, 306};
    case 71:
        return {290, 291, 307, 308, 309};
    case 72:
        return {310, 311, 312, 313};
    case 80:
        return {303, 304, 314, 315, 316, 317, 318, 319};
    case 81:
        return {320, 321, 322};
    default:
        return {};
    }
}

QVector<int> SimParameterTable::resetCommands()
{
    return {40, 50, 51, 60, 70, 71, 72, 80, 81};
}
