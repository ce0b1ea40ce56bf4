#ifndef MAINCONTROLLER_H
#define MAINCONTROLLER_H

#include "tabreadscheduler.h"
#include "writesinflight.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>

class AdaptorModel;
class AppConfigManager;
class EditFeedback;
class FirmwareDialog;
class FirmwareHandOver;
class FlightLogExport;
class ParameterModel;
class QEvent;
class ResourceManager;
class SerialManager;
class SettingsTransfer;

namespace Ui {
class MainWidget;
}

// Ties the program together: owns the main window, the two models and the device link,
// polls the unit for the tab the user is looking at, turns the user's edits into writes,
// routes the unit's answers to the widgets, and runs the file and firmware flows.
//
// Everything here runs on the GUI thread; the link's signals arrive queued from its own
// thread. The signal and slot declarations keep their order: other parts of the program
// connect to them by signature.
class MainController : public QObject
{
    Q_OBJECT
public:
    enum AppRunMode { Online = 1, Offline = 0 };
    Q_ENUM(AppRunMode)
    enum Action { Sleep = 0, Running = 1 };
    Q_ENUM(Action)

    // The unit's parameters that a parameter file holds, and the only ones that opening a
    // file may write.
    static const int SaveList[];
    static const int SaveListSize;

    // `link` is the device link to own; null creates the real one. The link is started
    // at the end of construction.
    explicit MainController(AppConfigManager* config, SerialManager* link = nullptr);
    ~MainController() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    Ui::MainWidget* mainWindow() const { return ui; }
    SerialManager* link() const { return serialManager; }
    AdaptorModel* adaptors() const { return adaptorModel; }
    ParameterModel* parameters() const { return parameterModel; }
    EditFeedback* feedback() const { return editFeedback; }
    AppRunMode currentRunMode() const { return runMode; }
    Action currentAction() const { return action; }
    int pendingReads() const { return readScheduler.pendingReads(); }
    int ticksToSkip() const { return skipTicks; }
    int currentFlight() const { return flightIndex; }
    SettingsTransfer* transfer() const { return fileTransfer; }
    FirmwareHandOver* firmwareHandOver() const { return handOver; }

    // A single- or double-quoted script literal would let text from the unit end the
    // string early; this one carries any text through unchanged.
    static QString javaScriptStringLiteral(const QString& text);

signals:
    void _needUpdateFlash(QByteArray image);
    void _needReconnect();

public slots:
    void showMainWindow();
    void handleParamsChanged(QVariant response);
    void handlePortStatusChanged(int status);
    void handleFlashStatusChanged(int status);
    void handleFlashProgressChanged(int progress);
    void requestWriteConfigChanges(int addr, int value = -1, bool isBlocking = false);
    void resetValue(int addr, int value = -1, bool isBlocking = false);

private slots:
    void buttonGroup_button_clicked(QObject* group, int id, bool* accept);
    void servoButtons_clicked(QObject* button, bool checked, bool* accept);
    void cbTxMode_current_index_changed(int index);
    void btnSetCenter_clicked();
    void btnBind_clicked();
    void btnSwashViewRotateLeft_clicked();
    void btnSwashViewRotateRight_clicked();
    void btnCyclicDefault_button_clicked();
    void btnCyclicDefaultAdv_button_clicked();
    void btnTailDefault_button_clicked();
    void btnServoDefault_clicked();
    void btnSwashTrimDefault_clicked();
    void btnSwashDefault_clicked();
    void cyclicAdvGainDefaultBtn_clicked();
    void tailAdvGainDefaultBtn_clicked();
    void mainTab_current_changed(int index);
    void logStack_currentChanged(int page);
    void changeEventAndChart(int page, int flight);
    void btnPrevEventAndChart_clicked();
    void btnNextEventAndChart_clicked();
    void btnOpen_button_clicked();
    void btnSave_button_clicked();
    void btnFirmware_button_clicked();
    void btnShowBank_button_clicked();
    void btnWriteLoadedParams_button_clicked();
    void cbProfile_activated(int index);
    void btnSaveProfileAs_clicked();
    void requestReadAllAddress();
    void requestReadbyTabIndex(int tab);
    void mainTimer_timeout();
    void requestSendGyroOff();

protected:
    // Where the file flows ask the user for a path; null or empty means cancelled.
    virtual QString chooseOpenPath(const QString& caption, const QString& dir,
                                   const QString& filter);
    virtual QString chooseSavePath(const QString& caption, const QString& dir,
                                   const QString& filter);
    // Least time between two writes of a file, so that the unit can store each value.
    virtual int loadedWritePauseMs() const { return 200; }

private:
    enum LoadedParamsState { LoadIdle = 0, LoadWriting = 1, LoadWritingAll = 2 };

    void takeRecordsFromWidgets();
    void connectAdaptors();
    void loadSettings();
    void saveSettings();
    void placeWindow();
    void setRunMode(AppRunMode mode);
    void sendRead(const QString& addresses);
    void sendWrite(int addr, int value);
    void resetGroup(int textId, int command);
    void bindStickMonitor(int addr, bool left, bool vertical);
    void showRecord(int address, const QString& data);
    void showFlightNavigation(int flight);
    QString text(int id) const;
    void createTransfer();

    Ui::MainWidget* ui;
    AppConfigManager* config;
    ResourceManager* resources;
    SerialManager* serialManager;
    AdaptorModel* adaptorModel = nullptr;
    ParameterModel* parameterModel = nullptr;
    TabReadScheduler readScheduler;
    AppRunMode runMode = Offline;
    Action action = Running;
    QTimer mainTimer;
    int skipTicks = 0;
    int loadedParamsState = LoadIdle;
    int flightIndex = 0;
    FirmwareDialog* firmwareDialog = nullptr;
    SettingsTransfer* fileTransfer = nullptr;
    FirmwareHandOver* handOver;
    FlightLogExport* logExport = nullptr;
    // The flight-log record last asked for (600, 604, ... 644); -1 before the first request.
    // Answers for any other record are late or stray and are not shown.
    int requestedRecord = -1;
    EditFeedback* editFeedback = nullptr;
    // Edits whose outcome is still to come: answers for their addresses are stale.
    WritesInFlight writesInFlight;

    // Whether the link last reported the port open; the open flow only resumes polling
    // when it is.
    bool portOpen = false;
    int gyroOffCalls = 0;
};

#endif // MAINCONTROLLER_H
