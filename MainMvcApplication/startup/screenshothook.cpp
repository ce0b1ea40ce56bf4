#include "screenshothook.h"

#include "maincontroller.h"
#include "mainwidget.h"

#include <rxmonitorview.h>
#include <serialmanager.h>

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>

namespace {

const int TabRx = 1;
// Enough receiver answers for the sticks to have moved a few times.
const int LiveAnswersWanted = 40;
// The knobs animate towards each new value; give them time to show a few.
const int MinConnectedMs = 2500;
// How long to wait for both knobs to come to rest once the values are live.
const int MaxSettleMs = 1000;

} // namespace

ScreenshotHook::ScreenshotHook(MainController* controller, const QString& path, int timeoutMs,
                               QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_path(path)
    , m_timeoutMs(timeoutMs)
{
    m_clock.start();
    connect(controller->link(), &SerialManager::_portStatusChanged, this,
            &ScreenshotHook::portStatusChanged);
    connect(controller->link(), &SerialManager::_responseToUpdateUi, this,
            &ScreenshotHook::answerArrived);
    connect(&m_poll, &QTimer::timeout, this, &ScreenshotHook::check);
    m_poll.start(100);
}

void ScreenshotHook::portStatusChanged(int status)
{
    if (status == 100 && !m_connected) {
        m_connected = true;
        m_sinceConnected.start();
        m_controller->mainWindow()->mainTab->setCurrentIndex(TabRx);
    } else if (status == -100) {
        m_connected = false;
        m_liveAnswers = 0;
    }
}

void ScreenshotHook::answerArrived(const QVariant& answer)
{
    const int address = answer.toString().section(QLatin1Char(','), 0, 0).toInt();
    if (address == 100 || (address >= 111 && address <= 117))
        ++m_liveAnswers;
}

void ScreenshotHook::check()
{
    if (m_done)
        return;
    Ui::MainWidget* window = m_controller->mainWindow();
    const bool live = window->isVisible() && m_connected && m_liveAnswers >= LiveAnswersWanted &&
                      m_sinceConnected.elapsed() >= MinConnectedMs;
    if (!live)
        m_sinceLive.invalidate();
    else if (!m_sinceLive.isValid())
        m_sinceLive.start();
    // The live values are read every 100 ms, so a moving stick may keep its knob sliding;
    // a picture of a knob on its way is taken once the wait for a resting one is over.
    const bool settled =
            (window->rxViewLeft->animFinished() && window->rxViewRight->animFinished()) ||
            (m_sinceLive.isValid() && m_sinceLive.elapsed() >= MaxSettleMs);
    if (live && settled)
        finish(0);
    else if (m_clock.elapsed() > m_timeoutMs && window->isVisible())
        finish(3);
}

void ScreenshotHook::finish(int exitCode)
{
    m_done = true;
    m_poll.stop();
    QTextStream out(stdout);
    if (!m_controller->mainWindow()->grab().save(m_path)) {
        out << "hxmain: could not save the screenshot to " << m_path << '\n';
        out.flush();
        QCoreApplication::exit(4);
        return;
    }
    out << "hxmain: screenshot saved to " << m_path
        << (exitCode == 0 ? " (connected, live values shown)"
                          : " (no unit answered in time: disconnected)")
        << '\n';
    out.flush();
    QCoreApplication::exit(exitCode);
}
