#include "pollingtrace.h"

#include "adaptormodel.h"
#include "tabreadscheduler.h"
#include "tracecategories.h"

#include <QStringList>
#include <QTabWidget>

namespace {

void trace(bool live, const QString& text)
{
    const QLoggingCategory& category = live ? lcLiveValues() : lcPolling();
    if (category.isDebugEnabled())
        QMessageLogger().debug(category, "%s", qPrintable(text));
}

} // namespace

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
    trace(live, QStringLiteral("read %1 (tab %2)").arg(addresses, tab));
}

void PollingTrace::answer(const AdaptorModel& adaptors, int address, int value, int known)
{
    // The adaptor model skips a read-only adaptor: the pilot is editing its widget.
    const bool edited = adaptors.adaptor(address) && adaptors.isReadOnly(address);
    if (!edited && value == known)
        return;
    const char* what = edited                       ? "not shown: the pilot is editing its widget"
                       : !adaptors.adaptor(address) ? "kept (no widget shows it)"
                                                    : "shown";
    trace(TabReadScheduler::isLiveAddress(address), QStringLiteral("answer %1 = %2 (was %3): %4")
                                                            .arg(address)
                                                            .arg(value)
                                                            .arg(known)
                                                            .arg(QLatin1String(what)));
}
