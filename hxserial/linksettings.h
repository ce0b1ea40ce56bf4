#ifndef LINKSETTINGS_H
#define LINKSETTINGS_H

#include "hxserial_global.h"

#include <QString>

// How the link finds its port and how patient it is. Taken from the environment so that a
// pilot can name the port and tests can shorten the waits:
//   HX_SERIAL_PORT        the one port to use (a device path such as /dev/ttyUSB0 or COM3);
//                         without it every serial port is probed
//   HX_SERIAL_BAUD        line rate, default 115200
//   HX_SERIAL_TIMEOUT_MS  base answer timeout, default 100 (the line time of the exchange
//                         is added)
//   HX_SERIAL_ATTEMPTS    sends of one request before the unit counts as gone, default 8
//   HX_SERIAL_SCAN_MS     pause between port scans while disconnected, default 1000
class HXSERIAL_EXPORT LinkSettings
{
public:
    static LinkSettings fromEnvironment();

    // Line time of the given number of bytes at this baud rate (8N1: 10 bits a byte), in ms.
    double lineTimeMs(qint64 bytes) const { return bytes * 10.0 * 1000.0 / baud; }

    QString portName;
    // The port the pilot chose in the program (SerialManager::setPreferredPort); used while
    // HX_SERIAL_PORT is not set. Empty: probe the system's ports.
    QString preferredPort;
    int baud = 115200;
    int answerTimeoutMs = 100;
    int attempts = 8;
    // Identify requests while probing a port that may hold no unit at all.
    int probeAttempts = 3;
    int scanIntervalMs = 1000;
    // An idle link is checked with an identify request this often.
    int keepAliveMs = 1000;
    // A busy unit is asked again after this pause, for at most busyLimitMs in all.
    int busyRetryMs = 100;
    int busyLimitMs = 5000;
    // Read and record requests that may be under way at once.
    int window = 4;
    // Addresses per read request.
    int readBatch = 16;
    // Read requests waiting to be sent beyond this are dropped, oldest first: live values
    // are asked for again on the next poll anyway.
    int maxQueuedReads = 64;
    // What quit() waits at most for the writes still queued.
    int flushLimitMs = 600;
};

#endif // LINKSETTINGS_H
