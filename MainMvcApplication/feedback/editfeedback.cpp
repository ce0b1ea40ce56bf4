#include "editfeedback.h"

#include "lineeditrangealert.h"
#include "mainwidget.h"
#include "offlinebanner.h"
#include "statusline.h"
#include "tracecategories.h"
#include "writeoutcomeview.h"

#include <resourcemanager.h>
#include <serialmanager.h>

#include <QAbstractButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

EditFeedback::EditFeedback(Ui::MainWidget* ui, AdaptorModel* adaptors, SerialManager* link,
                           ResourceManager* resources, QObject* parent)
    : QObject(parent)
    , m_ui(ui)
    , m_resources(resources)
{
    // The empty frame of the bottom bar, beside the port status, is the status area.
    m_status = new StatusLine(ui->frameProfile);
    auto* layout = new QHBoxLayout(ui->frameProfile);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(m_status);
    // The form sizes the frame for one short line; French and Vietnamese outcomes and
    // reasons need the free width of the bar up to the file buttons.
    ui->frameProfile->setMaximumWidth(QWIDGETSIZE_MAX);
    ui->frameProfile->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(ui->layout()))
        grid->setAlignment(ui->frameProfile, Qt::Alignment());

    m_banner = new OfflineBanner(ui->mainTab, text(5004));
    m_tracker = new WriteOutcomeTracker(this);
    m_view = new WriteOutcomeView(adaptors, m_status, resources, this);
    m_rangeAlert = new LineEditRangeAlert(ui->lineEditAlert, text(1), text(5005), text(5006), this);
    const QList<QLineEdit*> edits = ui->findChildren<QLineEdit*>();
    for (QLineEdit* edit : edits)
        m_rangeAlert->watch(edit);

    connect(link, &SerialManager::_writeFinished, m_tracker, &WriteOutcomeTracker::writeFinished);
    connect(m_tracker, &WriteOutcomeTracker::finished, m_view, &WriteOutcomeView::show);
    connect(link, &SerialManager::_portStatusChanged, this, &EditFeedback::portStatusChanged);
    connect(link, &SerialManager::_linkProblemChanged, this, &EditFeedback::linkProblemChanged);

    m_banner->setOffline(true);
    showReason();
}

EditFeedback::~EditFeedback() = default;

QString EditFeedback::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

void EditFeedback::noteSource(int windowAddress, QObject* source)
{
    if (auto* button = qobject_cast<QAbstractButton*>(source))
        m_view->setSource(windowAddress, button);
}

QString EditFeedback::traceName(int windowAddress) const
{
    const QWidget* widget = m_view->widgetFor(windowAddress);
    QString what = QStringLiteral("no widget");
    if (widget) // a drawn widget made in code may have no name: its class tells it then
        what = widget->objectName().isEmpty() ? QLatin1String(widget->metaObject()->className())
                                              : widget->objectName();
    return QStringLiteral("\"%1\" (%2, %3)")
            .arg(m_view->settingName(windowAddress), what, QString::number(windowAddress));
}

void EditFeedback::editSent(int windowAddress, int unitAddress, int value, QObject* source)
{
    noteSource(windowAddress, source);
    qCDebug(lcWrites, "edit of %s to %d: written to the unit as %d,%d",
            qPrintable(traceName(windowAddress)), value, unitAddress, value);
    m_view->noteEdit(windowAddress, value);
    m_tracker->writeSent(windowAddress, unitAddress, value);
}

void EditFeedback::editKeptOffline(int windowAddress, int value, QObject* source)
{
    noteSource(windowAddress, source);
    qCDebug(lcWrites, "edit of %s to %d: kept in the window, no unit connected",
            qPrintable(traceName(windowAddress)), value);
    m_tracker->writeNotSent(windowAddress, value);
}

QString EditFeedback::problemText(int problem, const QString& port) const
{
    switch (problem) {
    case SerialManager::NoPortFound:
        return port.isEmpty() ? text(5010) : text(5011).arg(port);
    case SerialManager::PortBusy:
        return text(5012).arg(port);
    case SerialManager::PortPermissionDenied:
        return text(5013).arg(port);
    case SerialManager::NoUnitAnswers:
        return text(5014).arg(port);
    case SerialManager::OtherProtocolVersion:
        return text(5015).arg(port);
    case SerialManager::NoProblem:
        return text(5016).arg(port);
    default:
        return text(5007);
    }
}

void EditFeedback::portStatusChanged(int status)
{
    if (status != 100 && status != -100)
        return;
    m_connected = status == 100;
    m_banner->setOffline(!m_connected);
    showReason();
}

void EditFeedback::linkProblemChanged(int problem, const QString& port)
{
    m_problem = problem;
    m_problemPort = port;
    showReason();
}

void EditFeedback::showReason()
{
    if (m_connected) {
        m_ui->lbPortStatus->setToolTip(problemText(SerialManager::NoProblem, m_problemPort));
        m_banner->setReason(QString());
        m_status->setLastingText(QString());
        return;
    }
    // A unit that was just lost has no reason yet: the next search round gives it.
    const QString reason = m_problem > SerialManager::NoProblem
                                   ? problemText(m_problem, m_problemPort)
                                   : text(5007);
    m_ui->lbPortStatus->setToolTip(reason);
    m_banner->setReason(reason);
    m_status->setLastingText(reason, StatusLine::Failure);
}

void EditFeedback::valueRead(int unitAddress)
{
    m_view->valueRead(unitAddress);
}
