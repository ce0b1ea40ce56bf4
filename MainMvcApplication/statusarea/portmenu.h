#ifndef PORTMENU_H
#define PORTMENU_H

#include <serialportcatalog.h>

#include <QList>
#include <QToolButton>

#include <functional>

class AppConfigManager;
class QMenu;
class ResourceManager;
class SerialManager;

// The button beside the port status that chooses the unit's serial port: "Automatic" or
// one of the computer's ports (with the system's description and USB ids). The choice is
// remembered in the settings file and handed to the link; HX_SERIAL_PORT still overrides
// it, and the menu says so.
class PortMenu : public QToolButton
{
    Q_OBJECT
public:
    // The settings key of the choice; an empty value (or none) means automatic.
    static const char* const SettingsKey;

    // Applies the remembered choice to `link` at once, so it holds from the link's start.
    PortMenu(AppConfigManager* config, SerialManager* link, QWidget* parent = nullptr);

    // Where the list of ports comes from (default: SerialPortCatalog::availablePorts).
    void setPortLister(std::function<QList<SerialPortCatalog::Port>()> lister)
    {
        m_lister = std::move(lister);
    }
    // The menu as it is shown; filled again each time it opens.
    QMenu* portMenu() const { return m_menu; }
    void refill();

    // "ttyUSB0 — FT232R USB UART (USB 0403:6001)"
    static QString describe(const SerialPortCatalog::Port& port);

private:
    void choose(const QString& name);
    void updateToolTip();
    QString text(int id) const;

    AppConfigManager* m_config;
    SerialManager* m_link;
    ResourceManager* m_resources;
    QMenu* m_menu;
    QString m_choice;
    std::function<QList<SerialPortCatalog::Port>()> m_lister;
};

#endif // PORTMENU_H
