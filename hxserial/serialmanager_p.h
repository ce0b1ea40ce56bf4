#ifndef SERIALMANAGER_P_H
#define SERIALMANAGER_P_H

#include "linkinbox.h"
#include "linksettings.h"

#include <QMutex>

#include <atomic>

class PortWorker;

class SerialManagerPrivate
{
public:
    // Asks the link thread to look at the inbox, if it runs.
    void wake();

    LinkSettings settings = LinkSettings::fromEnvironment();
    LinkInbox inbox;
    std::atomic<bool> connected{false};
    // Guards `worker` and `settings.preferredPort`.
    mutable QMutex workerMutex;
    PortWorker* worker = nullptr;
};

#endif // SERIALMANAGER_P_H
