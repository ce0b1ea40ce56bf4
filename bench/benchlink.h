#ifndef BENCHLINK_H
#define BENCHLINK_H

#include <serialmanager.h>

// A device link that takes every request and sends nothing, so that a benchmark can feed
// the controller answers at its own pace.
class SilentLink : public SerialManager
{
public:
    bool isConnected() override { return true; }
    void requestReadOne(const QVariant&) override {}
    void requestRead(const QVariant&) override {}
    void requestWrite(const QVariant&) override {}
    void requestWriteLoaded(const QVariant&) override {}

protected:
    void run() override { exec(); }
};

#endif // BENCHLINK_H
