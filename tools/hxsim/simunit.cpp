#include "simunit.h"

#include "simparametertable.h"

#include <QList>

SimUnit::SimUnit(quint32 seed, int serialNumber)
    : m_live(seed)
    , m_log(seed)
    , m_serial(serialNumber)
{
    for (const SimParameterTable::Definition& d : SimParameterTable::all()) {
        if (d.access == SimParameterTable::Setting)
            m_values.insert(d.address, d.defaultValue);
    }
    updateTrims();
}

SimUnit::Result SimUnit::read(int address, qint64 nowMs) const
{
    Result r;
    const SimParameterTable::Definition* d = SimParameterTable::find(address);
    if (!d) {
        r.error = UnknownAddress;
        return r;
    }
    switch (d->access) {
    case SimParameterTable::Setting:
        r.value = m_values.value(address);
        break;
    case SimParameterTable::ReadOnly:
        r.value = address == 1 ? HardwareVersion : (address == 2 ? FirmwareVersion : m_serial);
        break;
    case SimParameterTable::Live: {
        LiveValues live = m_live;
        live.setBinding(nowMs < m_bindUntil);
        r.value = live.value(address, nowMs / 1000.0);
        break;
    }
    case SimParameterTable::Command:
        if (address == 102)
            r.value = nowMs < m_bindUntil ? m_bindMode : 0;
        else if (address == 129)
            r.value = nowMs < m_busyUntil ? 1 : 0;
        else if (address == 224)
            r.value = nowMs < m_gyroOffUntil ? 1 : 0;
        break;
    case SimParameterTable::Record:
        r.error = WrongRequest;
        break;
    }
    return r;
}

SimUnit::Result SimUnit::write(int address, int value, qint64 nowMs)
{
    Result r;
    const SimParameterTable::Definition* d = SimParameterTable::find(address);
    if (!d) {
        r.error = UnknownAddress;
        return r;
    }
    switch (d->access) {
    case SimParameterTable::Setting: {
        r.value = qBound(d->minimum, value, d->maximum);
        if (m_values.value(address) != r.value) {
            m_values.insert(address, r.value);
            m_dirty = true;
            updateTrims();
        }
        break;
    }
    case SimParameterTable::ReadOnly:
        if (address == 2 && value == 9999) {
            m_bootloader = true;
            r.value = value;
            break;
        }
        r.error = ReadOnly;
        return r;
    case SimParameterTable::Live:
    case SimParameterTable::Record:
        r.error = ReadOnly;
        return r;
    case SimParameterTable::Command:
        if (address == 10) {
            const QVector<int> group = SimParameterTable::resetGroup(value);
            if (group.isEmpty()) {
                r.error = Refused;
                return r;
            }
            resetToDefaults(group);
        } else if (address == 129) {
            if (value != 0 && value != 1) {
                r.error = Refused;
                return r;
            }
            // Learning the stick centres takes a moment, during which the unit answers
            // nothing but "busy".
            if (value == 1)
                m_busyUntil = nowMs + BusyMs;
        } else if (address == 102) {
            if (value != 0 && value != 3 && value != 9) {
                r.error = Refused;
                return r;
            }
            m_bindMode = value;
            m_bindUntil = value ? nowMs + BindMs : 0;
        } else if (address == 224) {
            // Like every command, a value the command table does not list is refused.
            if (value != 0 && value != 1) {
                r.error = Refused;
                return r;
            }
            // Gyro off holds only while the program keeps asking for it.
            m_gyroOffUntil = value ? nowMs + GyroOffMs : 0;
        }
        r.value = value;
        break;
    }
    m_applied.append({address, value, r.value});
    return r;
}

SimUnit::Result SimUnit::recordSize(int address) const
{
    Result r;
    const SimParameterTable::Definition* d = SimParameterTable::find(address);
    if (!d) {
        r.error = UnknownAddress;
        return r;
    }
    if (d->access != SimParameterTable::Record) {
        r.error = WrongRequest;
        return r;
    }
    r.value = m_log.record(address).size();
    return r;
}

QByteArray SimUnit::record(int address) const
{
    return m_log.record(address);
}

void SimUnit::resetToDefaults(const QVector<int>& addresses)
{
    for (const int address : addresses) {
        const SimParameterTable::Definition* d = SimParameterTable::find(address);
        if (d && m_values.value(address) != d->defaultValue) {
            m_values.insert(address, d->defaultValue);
            m_dirty = true;
        }
    }
    updateTrims();
}

void SimUnit::updateTrims()
{
    // Positive and negative trims of one axis add up: 222/223 aileron, 225/226 elevator,
    // 227/228 pitch.
    m_live.setTrims(100 + m_values.value(222) - m_values.value(223),
                    100 + m_values.value(225) - m_values.value(226),
                    100 + m_values.value(227) - m_values.value(228));
}

QByteArray SimUnit::saveState()
{
    QByteArray out("# hxsim unit settings: address=value\n");
    for (const SimParameterTable::Definition& d : SimParameterTable::all()) {
        if (d.access == SimParameterTable::Setting)
            out += QByteArray::number(d.address) + '=' +
                   QByteArray::number(m_values.value(d.address)) + '\n';
    }
    m_dirty = false;
    return out;
}

bool SimUnit::loadState(const QByteArray& text, QString* error)
{
    int bad = 0;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const int eq = line.indexOf('=');
        bool okAddress = false;
        bool okValue = false;
        const int address = eq > 0 ? line.left(eq).toInt(&okAddress) : 0;
        const int value = eq > 0 ? line.mid(eq + 1).toInt(&okValue) : 0;
        const SimParameterTable::Definition* d = SimParameterTable::find(address);
        if (!okAddress || !okValue || !d || d->access != SimParameterTable::Setting) {
            ++bad;
            continue;
        }
        m_values.insert(address, qBound(d->minimum, value, d->maximum));
    }
    updateTrims();
    m_dirty = false;
    if (bad && error)
        *error = QStringLiteral("%1 line(s) of the state file were not understood").arg(bad);
    return bad == 0;
}
