#ifndef SETTINGCATALOG_H
#define SETTINGCATALOG_H

#include <QString>

class AdaptorModel;
class ResourceManager;
class Ui_MainWidget;

// How the window presents the unit's settings to the pilot outside their own widgets (in
// the lists of the file and backup flows): each setting's name as the window labels it,
// and a raw value in the units its widget shows (volts, rpm, a combo box's entry, the
// centred value of a trim) instead of the number the unit stores.
class SettingCatalog
{
public:
    // None is owned; the adaptor model may be null (values are then shown raw).
    SettingCatalog(Ui_MainWidget* window, AdaptorModel* adaptors, ResourceManager* resources);

    // "TAB › label" from the window's own captions; a localised description for the few
    // settings that have no caption of their own.
    QString name(int address) const;
    QString display(int address, int raw) const;

private:
    QString text(int id) const;
    QString labelText(const char* objectName) const;

    Ui_MainWidget* m_window;
    AdaptorModel* m_adaptors;
    ResourceManager* m_resources;
};

#endif // SETTINGCATALOG_H
