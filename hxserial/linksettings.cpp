#include "linksettings.h"

#include <QtGlobal>

namespace {

int positiveFromEnvironment(const char* name, int fallback, int minimum, int maximum)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    if (!ok)
        return fallback;
    return qBound(minimum, value, maximum);
}

} // namespace

LinkSettings LinkSettings::fromEnvironment()
{
    LinkSettings s;
    s.portName = qEnvironmentVariable("HX_SERIAL_PORT").trimmed();
    s.baud = positiveFromEnvironment("HX_SERIAL_BAUD", s.baud, 1200, 4000000);
    s.answerTimeoutMs =
            positiveFromEnvironment("HX_SERIAL_TIMEOUT_MS", s.answerTimeoutMs, 1, 60000);
    s.attempts = positiveFromEnvironment("HX_SERIAL_ATTEMPTS", s.attempts, 1, 100);
    s.scanIntervalMs = positiveFromEnvironment("HX_SERIAL_SCAN_MS", s.scanIntervalMs, 10, 60000);
    return s;
}
