#ifndef SETTINGSTRANSFER_H
#define SETTINGSTRANSFER_H

#include "settingcatalog.h"

#include <parameterfile.h>

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

#include <functional>

class AdaptorModel;
class AppConfigManager;
class ParameterModel;
class QEventLoop;
class QPushButton;
class ResourceManager;
class SerialManager;
class Ui_MainWidget;

// The flows that move settings between the unit and files: saving a parameter file,
// backing up every setting of the unit, and opening a parameter file or a backup, which
// reads the unit's values first, shows what would change, and writes only what the pilot
// keeps checked, each value confirmed by the unit. Every flow ends with a message saying
// how it ended.
//
// The controller feeds it the link's answers and port status, and lends it the dialogs
// and the run mode through the hooks.
class SettingsTransfer : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // Return the picked path, or an empty string when the pilot cancels.
        std::function<QString(const QString& caption, const QString& dir, const QString& filter)>
                chooseOpenPath;
        std::function<QString(const QString& caption, const QString& dir, const QString& filter)>
                chooseSavePath;
        // Least time between two writes of a file, so that the unit can store each value.
        std::function<int()> writePauseMs;
        // True while a flow talks to the unit: the controller stops polling meanwhile.
        std::function<void(bool busy)> setBusy;
    };

    // The suffix of backup files; any other file is opened as a parameter file.
    static const char* const BackupSuffix;
    static const char* const ParameterFileSuffix;

    SettingsTransfer(Ui_MainWidget* window, SerialManager* link, ParameterModel* parameters,
                     AdaptorModel* adaptors, AppConfigManager* config, ResourceManager* resources,
                     QVector<int> saveList, QObject* parent = nullptr);
    ~SettingsTransfer() override;

    void setHooks(const Hooks& hooks) { m_hooks = hooks; }
    const SettingCatalog& catalog() const { return m_catalog; }

    // Where the file dialogs start: the last folder used, else the documents folder.
    QString startFolder() const;

    // The backup button of the status area, beside the open button (made on the first call).
    QPushButton* createBackupButton();

    void save();
    void open();
    void backup();

    // Every "address,value" answer of the link, and the port status (true: open).
    void takeAnswer(int address, int value);
    void portStatusChanged(bool open);

public slots:
    void writeFinished(int address, int value, bool confirmed);

private:
    enum class Wait { Done, TimedOut, Lost, Quit };
    static const char* waitName(Wait wait);

    QString text(int id) const;
    void rememberFolder(const QString& path);
    void beginBusy();
    void endBusy();
    // Runs the event loop (no user input) until `done` holds, the port closes, the time is
    // up, or the program quits.
    Wait waitFor(const std::function<bool()>& done, int timeoutMs);
    void wake();
    // Asks the unit for `addresses` and collects the answers into m_answers.
    Wait readUnit(const QList<int>& addresses, int progressTextId);
    // Writes `values` one by one, each confirmed by the unit, and says how it ended.
    void writeValues(const QMap<int, int>& values);
    // The reasons why lines of a file will not be written; the rest goes to `*writable`.
    QStringList notWrittenLines(const QMap<int, int>& fileValues,
                                const QList<ParameterFileSkip>& skipped, bool backupFile,
                                QMap<int, int>* writable) const;

    Ui_MainWidget* m_window;
    SerialManager* m_link;
    ParameterModel* m_parameters;
    AdaptorModel* m_adaptors;
    AppConfigManager* m_config;
    ResourceManager* m_resources;
    QVector<int> m_saveList;
    SettingCatalog m_catalog;
    Hooks m_hooks;

    QPushButton* m_backupButton = nullptr;
    bool m_busy = false;
    bool m_portOpen = false;
    QEventLoop* m_loop = nullptr;
    bool m_woken = false;

    // Reading: the addresses asked for and the answers so far.
    bool m_collecting = false;
    QSet<int> m_wanted;
    QMap<int, int> m_answers;

    // Writing: the address whose confirmation is awaited.
    int m_pendingWrite = -1;
    bool m_writeEnded = false;
    bool m_writeConfirmed = false;
};

#endif // SETTINGSTRANSFER_H
