#ifndef VIRTUALUNITSUPPORT_H
#define VIRTUALUNITSUPPORT_H

// The program end to end: a virtual unit in its own thread on a pseudo-terminal, and the
// controller with its window on the real device link, pointed at that unit.

#include "transfertestsupport.h"

#include <simhost.h>
#include <simserver.h>

#include <QFile>

#include <memory>

// A virtual unit in its own thread, reached under a stable link path.
struct Unit
{
    Unit(const QString& linkPath, int serialNumber)
    {
        SimOptions options;
        options.linkPath = linkPath;
        options.serialNumber = serialNumber;
        options.seed = quint32(serialNumber);
        host.reset(new SimHost(options));
    }

    int setting(int address)
    {
        return host->get<int>([address](SimServer* s) { return s->unit().setting(address); });
    }
    void set(int address, int value)
    {
        SimHost* h = host.get();
        h->run([h, address, value]() { h->server()->unit().write(address, value, 0); });
    }
    void dropEveryFrame()
    {
        SimHost* h = host.get();
        h->run([h]() {
            SimSession::Faults faults;
            faults.dropShare = 1.0;
            h->server()->setFaults(faults);
        });
    }

    std::unique_ptr<SimHost> host;
};

// The controller on the real link, pointed at `linkPath`. A `pauseMs` of 0 or more replaces
// the program's pause between the writes of a loaded file.
struct Program
{
    explicit Program(const QString& linkPath, int pauseMs = -1)
    {
        qputenv("HX_SERIAL_PORT", QFile::encodeName(linkPath));
        tr_(0); // the English table, before the window asks for "the" table
        config.reset(new AppConfigManager(dir.filePath(QStringLiteral("fbl.afc"))));
        controller.reset(new TestController(config.data(), nullptr));
        if (pauseMs >= 0)
            controller->pauseMs = pauseMs;
        ui = controller->mainWindow();
    }
    ~Program()
    {
        controller.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool connected() const
    {
        return controller->currentRunMode() == MainController::Online &&
               ui->lbPortStatus->styleSheet().contains(QStringLiteral("/connected.png"));
    }

    QTemporaryDir dir;
    QScopedPointer<AppConfigManager> config;
    QScopedPointer<TestController> controller;
    Ui::MainWidget* ui = nullptr;
};

#endif // VIRTUALUNITSUPPORT_H
