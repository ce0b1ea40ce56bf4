#include "pollingtrace.h"

#include "tabreadscheduler.h"
#include "tracecategories.h"

#include <QStringList>
#include <QTabWidget>

bool PollingTrace::answersTraced()
{
    return lcPolling().isDebugEnabled() || lcLiveValues().isDebugEnabled();
}

void PollingTrace::read(const QTabWidget* tabs, const QString& addresses)
{
    if (!answersTraced() || addresses.isEmpty())
        return;
    bool live = true;
    const QStringList entries = addresses.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& entry : entries)
        live = live && TabReadScheduler::isLiveAddress(entry.toInt(nullptr, 10));
    const QString tab = tabs ? tabs->tabText(tabs->currentIndex()) : QString();
    if (live)
        qCDebug(lcLiveValues, "read %s (tab %s)", qPrintable(addresses), qPrintable(tab));
    else
        qCDebug(lcPolling, "read %s (tab %s)", qPrintable(addresses), qPrintable(tab));
}

void PollingTrace::answer(int address, int value, int known, Fate fate)
{
    if (fate != BeingEdited && value == known)
        return;
    const char* what = "";
    switch (fate) {
    case Shown:
        what = "shown";
        break;
    case NoWidget:
        what = "kept (no widget shows it)";
        break;
    case BeingEdited:
        what = "not shown: the pilot is editing its widget";
        break;
    }
    if (TabReadScheduler::isLiveAddress(address))
        qCDebug(lcLiveValues, "answer %d = %d (was %d): %s", address, value, known, what);
    else
        qCDebug(lcPolling, "answer %d = %d (was %d): %s", address, value, known, what);
}
