#include "serialportcatalog.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace {

// USB ids of devices that show up as serial ports but are never a gyro unit. Generic
// USB-serial bridges (FTDI, Silicon Labs CP210x, WCH CH340, Prolific) and the STM32
// virtual COM port are not listed: units are connected through those.
struct ForeignDevice
{
    quint16 vendorId;
    int productId; // -1: every product of the vendor
};

const ForeignDevice ForeignDevices[] = {
        {0x1546, -1},     // u-blox: GNSS receivers
        {0x091e, -1},     // Garmin: GPS devices
        {0x2341, -1},     // Arduino SA boards
        {0x2a03, -1},     // Arduino.org boards
        {0x1199, -1},     // Sierra Wireless modems
        {0x12d1, -1},     // Huawei modems
        {0x2c7c, -1},     // Quectel modems
        {0x1bc7, -1},     // Telit modems
        {0x1366, -1},     // SEGGER J-Link debug probes
        {0x0483, 0x374b}, // ST-LINK/V2-1 debug probe
        {0x0483, 0x374e}, // ST-LINK/V3 debug probe
        {0x0483, 0x374f}, // ST-LINK/V3 debug probe
        {0x0483, 0x3752}, // ST-LINK/V2-1 debug probe
        {0x0483, 0x3753}, // ST-LINK/V3 debug probe
        {0x0d28, 0x0204}, // ARM DAPLink / CMSIS-DAP debug probes
        {0x1d50, 0x6018}, // Black Magic Probe
        {0x0658, 0x0200}, // Z-Wave USB sticks
        {0x1cf1, 0x0030}, // ConBee Zigbee sticks
        {0x10c4, 0x8a2a}, // Zigbee/Z-Wave combination stick
};

} // namespace

bool SerialPortCatalog::isOtherKindOfDevice(quint16 vendorId, quint16 productId)
{
    return std::any_of(
            std::begin(ForeignDevices), std::end(ForeignDevices), [=](const ForeignDevice& d) {
                return d.vendorId == vendorId && (d.productId < 0 || d.productId == productId);
            });
}

QList<SerialPortCatalog::Port> SerialPortCatalog::availablePorts()
{
    QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    // USB adapters first: that is how units are connected.
    std::stable_sort(infos.begin(), infos.end(),
                     [](const QSerialPortInfo& a, const QSerialPortInfo& b) {
                         return a.hasVendorIdentifier() && !b.hasVendorIdentifier();
                     });
    QList<Port> ports;
    for (const QSerialPortInfo& info : qAsConst(infos)) {
        Port port;
        port.name = info.portName();
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        if (port.hasUsbIds) {
            port.vendorId = info.vendorIdentifier();
            port.productId = info.productIdentifier();
            port.otherKindOfDevice = isOtherKindOfDevice(port.vendorId, port.productId);
        }
        ports.append(port);
    }
    return ports;
}
