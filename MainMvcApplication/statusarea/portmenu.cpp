#include "portmenu.h"

#include <appconfigmanager.h>
#include <resourcemanager.h>
#include <serialmanager.h>

#include <QActionGroup>
#include <QMenu>

namespace {

const int ToolTipText = 5103;
const int AutomaticText = 5104;
const int NotPresentText = 5105;
const int OtherDeviceText = 5106;
const int EnvironmentText = 5107;

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

} // namespace

const char* const PortMenu::SettingsKey = "serial_port";

PortMenu::PortMenu(AppConfigManager* config, SerialManager* link, QWidget* parent)
    : QToolButton(parent)
    , m_config(config)
    , m_link(link)
    , m_resources(ResourceManager::instance(QString()))
    , m_menu(new QMenu(this))
    , m_lister(&SerialPortCatalog::availablePorts)
{
    setObjectName(QStringLiteral("btnPortMenu"));
    setPopupMode(QToolButton::InstantPopup);
    setMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &PortMenu::refill);
    m_choice = m_config ? m_config->get(QLatin1String(SettingsKey)) : QString();
    if (m_link)
        m_link->setPreferredPort(m_choice);
    updateToolTip();
}

QString PortMenu::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

QString PortMenu::describe(const SerialPortCatalog::Port& port)
{
    QString label = port.name;
    QString detail = port.description;
    if (port.hasUsbIds) {
        const QString ids =
                QStringLiteral("USB %1:%2").arg(hex4(port.vendorId), hex4(port.productId));
        detail = detail.isEmpty() ? ids : detail + QStringLiteral(" (") + ids + QLatin1Char(')');
    }
    if (!detail.isEmpty())
        label += QStringLiteral(" \u2014 ") + detail;
    return label;
}

void PortMenu::refill()
{
    m_menu->clear();
    auto* group = new QActionGroup(m_menu);
    group->setExclusive(true);

    const QString named = m_link ? m_link->environmentPort() : QString();
    if (!named.isEmpty()) {
        QAction* note = m_menu->addAction(text(EnvironmentText).arg(named));
        note->setEnabled(false);
        m_menu->addSeparator();
    }

    QAction* automatic = m_menu->addAction(text(AutomaticText));
    automatic->setCheckable(true);
    automatic->setChecked(m_choice.isEmpty());
    group->addAction(automatic);
    connect(automatic, &QAction::triggered, this, [this] { choose(QString()); });

    const QList<SerialPortCatalog::Port> ports =
            m_lister ? m_lister() : QList<SerialPortCatalog::Port>();
    if (!ports.isEmpty() || !m_choice.isEmpty())
        m_menu->addSeparator();
    bool choiceListed = false;
    for (const SerialPortCatalog::Port& port : ports) {
        QString label = describe(port);
        if (port.otherKindOfDevice)
            label += QStringLiteral(" \u2014 ") + text(OtherDeviceText);
        QAction* action = m_menu->addAction(label);
        action->setCheckable(true);
        action->setData(port.name);
        const bool chosen = port.name == m_choice;
        choiceListed = choiceListed || chosen;
        action->setChecked(chosen);
        group->addAction(action);
        const QString name = port.name;
        connect(action, &QAction::triggered, this, [this, name] { choose(name); });
    }
    // A remembered port that is not plugged in now (or that the system does not list, such
    // as a pseudo-terminal) stays visible and chosen.
    if (!m_choice.isEmpty() && !choiceListed) {
        QAction* action = m_menu->addAction(text(NotPresentText).arg(m_choice));
        action->setCheckable(true);
        action->setChecked(true);
        action->setData(m_choice);
        group->addAction(action);
        const QString name = m_choice;
        connect(action, &QAction::triggered, this, [this, name] { choose(name); });
    }
}

void PortMenu::choose(const QString& name)
{
    m_choice = name;
    if (m_config)
        m_config->put(QLatin1String(SettingsKey), name);
    if (m_link)
        m_link->setPreferredPort(name);
    updateToolTip();
}

void PortMenu::updateToolTip()
{
    const QString named = m_link ? m_link->environmentPort() : QString();
    const QString current = !named.isEmpty()     ? text(EnvironmentText).arg(named)
                            : m_choice.isEmpty() ? text(AutomaticText)
                                                 : m_choice;
    setToolTip(text(ToolTipText).arg(current));
}
