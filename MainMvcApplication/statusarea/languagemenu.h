#ifndef LANGUAGEMENU_H
#define LANGUAGEMENU_H

#include <QToolButton>

class AppConfigManager;
class QComboBox;
class QMenu;
class ResourceManager;

// The button beside the port status that chooses the program's language: English,
// French or Vietnamese. The string table is loaded once at start-up, so a choice is
// stored under "lang" and takes effect at the next start; the window says so.
//
// The window's hidden language box is what the controller stores at exit; the menu keeps
// it in step (and gives it the French entry it lacks).
class LanguageMenu : public QToolButton
{
    Q_OBJECT
public:
    LanguageMenu(AppConfigManager* config, QComboBox* languageBox, QWidget* parent = nullptr);

    // The language the program runs in now, by the rule start-up applies to "lang".
    QString runningLanguage() const { return m_running; }
    QString choice() const;
    QMenu* languageMenu() const { return m_menu; }
    void choose(const QString& code);

private:
    void refill();
    void updateToolTip();
    QString text(int id) const;

    AppConfigManager* m_config;
    QComboBox* m_box;
    ResourceManager* m_resources;
    QMenu* m_menu;
    QString m_running;
};

#endif // LANGUAGEMENU_H
