#ifndef STATUSAREAMENUS_H
#define STATUSAREAMENUS_H

#include <QWidget>

class AppConfigManager;
class LanguageMenu;
class PortMenu;
class SerialManager;

namespace Ui {
class MainWidget;
}

// The port and language buttons, set in a row right of the window's port status label.
class StatusAreaMenus : public QWidget
{
    Q_OBJECT
public:
    StatusAreaMenus(Ui::MainWidget* window, AppConfigManager* config, SerialManager* link);

    PortMenu* portMenu() const { return m_port; }
    LanguageMenu* languageMenu() const { return m_language; }

private:
    PortMenu* m_port;
    LanguageMenu* m_language;
};

#endif // STATUSAREAMENUS_H
