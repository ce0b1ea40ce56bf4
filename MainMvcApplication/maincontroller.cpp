#include "maincontroller.h"

#include "adaptormodel.h"
#include "buttongroupwithverifyadaptor.h"
#include "checkablebuttonwithverifyadaptor.h"
#include "comboboxadaptor.h"
#include "editfeedback.h"
#include "firmwaredialog.h"
#include "firmwarehandover.h"
#include "flightlogexport.h"
#include "lazychartpage.h"
#include "lineeditadaptor.h"
#include "mainwidget.h"
#include "messagelog.h"
#include "modelbuilder.h"
#include "parameter.h"
#include "parametermodel.h"
#include "pollingtrace.h"
#include "rxmonitoradaptor.h"
#include "settingstransfer.h"
#include "slideradaptor.h"
#include "sliderwithlineeditadaptor.h"
#include "statusareamenus.h"
#include "tracecategories.h"

#include <advanceservosview.h>
#include <appconfigmanager.h>
#include <buttongroup.h>
#include <progressdialog.h>
#include <resourcemanager.h>
#include <rxmonitorview.h>
#include <serialmanager.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>

#include <algorithm>

namespace {

const int PollIntervalMs = 100;
// Busy commands (set centre, bind) keep the unit from answering for about 1.5 s.
const int BusyTicks = -20;
const int TabRx = 1;
const int TabBank = 9;
const int TabLog = TabReadScheduler::LogTab;
const int CommandAddress = 10;
const int MaxEventRows = 1000;
const int TextEventsNotShown = 5471;

const char* const KeyTxMode = "txmode";
const char* const KeyLang = "lang";
const char* const KeyGyroOff = "gyro-off";

bool isEventRecord(int address)
{
    return address >= 600 && address <= 640 && address % 10 == 0;
}

bool isChartRecord(int address)
{
    return address >= 604 && address <= 644 && address % 10 == 4;
}

} // namespace

const int MainController::SaveList[] = {136, 137, 138, 139, 140, 141, 142, 290, 291, 292,
                                        304, 305, 306, 307, 308, 309, 310, 311, 312, 313,
                                        314, 315, 316, 317, 318, 319, 320, 321, 322, 340,
                                        341, 342, 343, 344, 345, 346, 347, 348, 349};
const int MainController::SaveListSize = int(sizeof(SaveList) / sizeof(SaveList[0]));

MainController::MainController(AppConfigManager* config, SerialManager* link)
    : QObject(nullptr)
    , ui(new Ui::MainWidget)
    , config(config)
    , resources(ResourceManager::instance(QString()))
    , serialManager(link ? link : new SerialManager(nullptr))
    , handOver(new FirmwareHandOver(ui, this))
{
    ui->installEventFilter(this);

    connect(ui->mainTab, SIGNAL(currentChanged(int)), this, SLOT(mainTab_current_changed(int)));
    connect(&mainTimer, SIGNAL(timeout()), this, SLOT(mainTimer_timeout()));
    connect(this, SIGNAL(_needReconnect()), serialManager, SLOT(tryReconnect()));
    connect(serialManager, SIGNAL(_portStatusChanged(int)), this,
            SLOT(handlePortStatusChanged(int)));
    connect(serialManager, SIGNAL(_responseToUpdateUi(QVariant)), this,
            SLOT(handleParamsChanged(QVariant)));
    // Queued like the answers, so an outcome comes after every answer the unit sent
    // before it.
    connect(serialManager, &SerialManager::_writeFinished, this,
            [this](int address, int, bool) { writesInFlight.writeFinished(address); });
    connect(this, SIGNAL(_needUpdateFlash(QByteArray)), serialManager,
            SLOT(startUpdateFirmware(QByteArray)));
    connect(serialManager, SIGNAL(_flashStatusChanged(int)), this,
            SLOT(handleFlashStatusChanged(int)));
    connect(serialManager, SIGNAL(_flashProgressChanged(int)), this,
            SLOT(handleFlashProgressChanged(int)));
    connect(ui->btnOpen, SIGNAL(clicked()), this, SLOT(btnOpen_button_clicked()));
    connect(ui->btnSave, SIGNAL(clicked()), this, SLOT(btnSave_button_clicked()));
    connect(ui->btnFirmware, SIGNAL(clicked()), this, SLOT(btnFirmware_button_clicked()));
    connect(ui->btnShowBank, SIGNAL(clicked()), this, SLOT(btnShowBank_button_clicked()));
    connect(ui->btnSaveProfileAs, SIGNAL(clicked()), this, SLOT(btnSaveProfileAs_clicked()));
    connect(ui->btnAcceptWriteLoadedParams, SIGNAL(clicked()), this,
            SLOT(btnWriteLoadedParams_button_clicked()));
    connect(ui->btnRejectWriteLoadedParams, SIGNAL(clicked()), this,
            SLOT(btnWriteLoadedParams_button_clicked()));
    connect(ui->cbTxMode, SIGNAL(currentIndexChanged(int)), this,
            SLOT(cbTxMode_current_index_changed(int)));
    connect(ui->btnSetCenter, SIGNAL(clicked()), this, SLOT(btnSetCenter_clicked()));
    connect(ui->btnBind, SIGNAL(clicked()), this, SLOT(btnBind_clicked()));
    connect(ui->btnSwashViewRotateLeft, SIGNAL(clicked()), this,
            SLOT(btnSwashViewRotateLeft_clicked()));
    connect(ui->btnSwashViewRotateRight, SIGNAL(clicked()), this,
            SLOT(btnSwashViewRotateRight_clicked()));
    connect(ui->btnCyclicDefault, SIGNAL(clicked()), this, SLOT(btnCyclicDefault_button_clicked()));
    connect(ui->btnCyclicDefaultAdvance, SIGNAL(clicked()), this,
            SLOT(btnCyclicDefaultAdv_button_clicked()));
    connect(ui->btnServoDefault, SIGNAL(clicked()), this, SLOT(btnServoDefault_clicked()));
    connect(ui->btnSwashTrimDefault, SIGNAL(clicked()), this, SLOT(btnSwashTrimDefault_clicked()));
    connect(ui->swashDefaultBtn, SIGNAL(clicked()), this, SLOT(btnSwashDefault_clicked()));
    connect(ui->cyclicAdvGainDefaultBtn, SIGNAL(clicked()), this,
            SLOT(cyclicAdvGainDefaultBtn_clicked()));
    connect(ui->tailAdvGainDefaultBtn, SIGNAL(clicked()), this,
            SLOT(tailAdvGainDefaultBtn_clicked()));
    connect(ui->btnTailDefault, SIGNAL(clicked()), this, SLOT(btnTailDefault_button_clicked()));
    connect(ui->logStackedWidget, SIGNAL(currentChanged(int)), this,
            SLOT(logStack_currentChanged(int)));
    connect(ui->btnChartEvent_prev, SIGNAL(clicked()), this, SLOT(btnPrevEventAndChart_clicked()));
    connect(ui->btnChartEvent_next, SIGNAL(clicked()), this, SLOT(btnNextEventAndChart_clicked()));

    {
        ModelBuilder builder(ui);
        adaptorModel = builder.buildAdaptorModel();
        parameterModel = builder.buildParameterModel();
    }
    connect(adaptorModel, SIGNAL(_adaptorValueChanged(int, int, bool)), this,
            SLOT(requestWriteConfigChanges(int, int, bool)));
    connect(adaptorModel, SIGNAL(_resetValue(int, int, bool)), this,
            SLOT(resetValue(int, int, bool)));
    connectAdaptors();
    createTransfer();

    ui->registerUiConnections();
    ui->intializeWidgetProperties();
    ui->setToolTipForWidgets();
    editFeedback = new EditFeedback(ui, adaptorModel, serialManager, resources, this);
    takeRecordsFromWidgets();

    loadSettings();
    // The port and language menus apply the stored port choice and language themselves.
    new StatusAreaMenus(ui, config, serialManager);
    logExport = new FlightLogExport(ui, this);
    showFlightNavigation(flightIndex);

    mainTimer.setSingleShot(false);
    mainTimer.setInterval(PollIntervalMs);

    ui->mainTab->setCurrentIndex(0);
    ui->updateLabelPortStatus(false);
    placeWindow();

    serialManager->start(QThread::HighPriority);
}

MainController::~MainController()
{
    setRunMode(Offline);
    saveSettings();
    bool stopped = true;
    if (serialManager->isRunning()) {
        serialManager->quit();
        stopped = serialManager->wait(1000);
    }
    if (stopped) {
        serialManager->deleteLater();
    } else {
        // Destroying a thread that still runs would abort the program; let it go once
        // it has finished instead.
        qWarning("The device link did not stop within a second; it is released when it ends");
        connect(serialManager, &QThread::finished, serialManager, &QObject::deleteLater);
    }
    parameterModel->deleteLater();
    adaptorModel->deleteLater();
    ui->removeEventFilter(this);
    delete ui;
}

void MainController::takeRecordsFromWidgets()
{
    // The records were taken while the window's combo boxes and button groups were still
    // empty (a group without a checked button reads -1). Until the unit is read, a saved
    // file must hold what the window shows, never those placeholders.
    const QList<Parameter*> records = parameterModel->parameters();
    for (Parameter* record : records)
        parameterModel->setParamValue(record->address, adaptorModel->value(record->address));
}

void MainController::connectAdaptors()
{
    const QHash<int, AbstractFieldAdaptor*> adaptors = adaptorModel->adaptors();
    for (auto it = adaptors.cbegin(); it != adaptors.cend(); ++it) {
        AbstractFieldAdaptor* adaptor = it.value();
        if (!adaptor)
            continue;
        if (auto* withEdit = qobject_cast<SliderWithLineEditAdaptor*>(adaptor)) {
            if (QLineEdit* edit = withEdit->getLineEdit()) {
                connect(edit, SIGNAL(textEdited(QString)), ui, SLOT(lineEdit_textEdited(QString)));
                connect(edit, SIGNAL(returnPressed()), ui, SLOT(hideLineEditAlert()));
            }
            if (LineEditAdaptor* editAdaptor = withEdit->getLineEditAdaptor())
                connect(editAdaptor, SIGNAL(_editLostFocus(QObject*)), ui,
                        SLOT(hideLineEditAlert()));
        } else if (auto* lineEdit = qobject_cast<LineEditAdaptor*>(adaptor)) {
            if (auto* widget = qobject_cast<QLineEdit*>(lineEdit->inputField())) {
                connect(widget, SIGNAL(textEdited(QString)), ui,
                        SLOT(lineEdit_textEdited(QString)));
                connect(widget, SIGNAL(returnPressed()), ui, SLOT(hideLineEditAlert()));
            }
            connect(lineEdit, SIGNAL(_editLostFocus(QObject*)), ui, SLOT(hideLineEditAlert()));
        } else if (auto* button = qobject_cast<CheckableButtonWithVerifyAdaptor*>(adaptor)) {
            connect(button, SIGNAL(_clicked(QObject*, bool, bool*)), this,
                    SLOT(servoButtons_clicked(QObject*, bool, bool*)));
        } else if (auto* group = qobject_cast<ButtonGroupWithVerifyAdaptor*>(adaptor)) {
            connect(group, SIGNAL(_buttonClicked(QObject*, int, bool*)), this,
                    SLOT(buttonGroup_button_clicked(QObject*, int, bool*)));
        }
    }
    // The window's slots find out which widget called them with QObject::sender(), which
    // looks through every connection into the window, newest first. The signals that the
    // unit's answers fire, dozens of times a second, are connected last.
    for (auto it = adaptors.cbegin(); it != adaptors.cend(); ++it) {
        AbstractFieldAdaptor* adaptor = it.value();
        if (auto* slider = qobject_cast<SliderAdaptor*>(adaptor)) {
            if (auto* widget = qobject_cast<QSlider*>(slider->inputField()))
                connect(widget, SIGNAL(valueChanged(int)), ui, SLOT(slider_valueChanged(int)));
        } else if (auto* button = qobject_cast<CheckableButtonWithVerifyAdaptor*>(adaptor)) {
            if (auto* widget = qobject_cast<QToolButton*>(button->inputField()))
                connect(widget, SIGNAL(toggled(bool)), ui, SLOT(servoButtons_toggled(bool)));
        } else if (auto* group = qobject_cast<ButtonGroupWithVerifyAdaptor*>(adaptor)) {
            if (auto* widget = qobject_cast<ButtonGroup*>(group->inputField()))
                connect(widget, SIGNAL(buttonToggled(int, bool)), ui,
                        SLOT(buttonGroup_button_toggled(int, bool)));
        } else if (auto* combo = qobject_cast<ComboBoxAdaptor*>(adaptor)) {
            if (auto* widget = qobject_cast<QComboBox*>(combo->inputField()))
                connect(widget, SIGNAL(currentIndexChanged(int)), ui,
                        SLOT(comboBox_currentIndexChanged(int)));
        }
    }
}

void MainController::loadSettings()
{
    if (config->hasKey(QLatin1String(KeyTxMode))) {
        const int mode = config->get(QLatin1String(KeyTxMode)).toInt(nullptr, 10);
        // A negative index would leave the box empty; the initial entry stays instead.
        if (mode >= 0 && mode < ui->cbTxMode->count())
            ui->cbTxMode->setCurrentIndex(mode);
    }
    if (config->hasKey(QLatin1String(KeyLang))) {
        const QString lang = config->get(QLatin1String(KeyLang));
        for (int i = 0; i < ui->cbLanguage->count(); ++i) {
            if (ui->cbLanguage->itemData(i, Qt::UserRole).toString() == lang) {
                ui->cbLanguage->setCurrentIndex(i);
                break;
            }
        }
    }
    if (config->hasKey(QLatin1String(KeyGyroOff)))
        ui->checkGyroOff->setChecked(config->get(QLatin1String(KeyGyroOff)).toInt(nullptr, 10) !=
                                     0);
}

void MainController::saveSettings()
{
    config->put(QLatin1String(KeyTxMode), QString::number(ui->cbTxMode->currentIndex()));
    config->put(QLatin1String(KeyLang), ui->cbLanguage->currentData(Qt::UserRole).toString());
    config->put(QLatin1String(KeyGyroOff),
                ui->checkGyroOff->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    config->saveConfigToFile();
}

void MainController::placeWindow()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 660);
    const int width = std::max(int(available.width() * 0.65), 1280);
    const int height = std::max(int(available.height() * 0.75), 660);
    ui->setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(width, height), available));
}

QString MainController::text(int id) const
{
    return resources ? resources->getValue(id) : QString();
}

// --- Connection and reading -------------------------------------------------------------

void MainController::showMainWindow()
{
    qCDebug(lcStartup, "main window shown");
    ui->show();
}

void MainController::setRunMode(AppRunMode mode)
{
    if (mode == runMode)
        return;
    if (mode == Offline) {
        action = Sleep;
        if (mainTimer.isActive())
            mainTimer.stop();
        runMode = Offline;
    } else {
        action = Running;
        skipTicks = 0;
        if (!mainTimer.isActive())
            mainTimer.start();
        readScheduler.resetCounters();
        runMode = Online;
    }
}

void MainController::sendRead(const QString& addresses)
{
    PollingTrace::read(ui->mainTab, addresses);
    serialManager->requestRead(QVariant(addresses));
}

void MainController::handlePortStatusChanged(int status)
{
    if (status == 100 || status == -100)
        fileTransfer->portStatusChanged(status == 100);
    // The writes under way ended with the link.
    if (status == -100)
        writesInFlight.clear();
    if (status == 100) {
        portOpen = true;
        startLogForConnection();
        // While a loaded file is being written the flow owns the run mode; it resumes
        // polling itself when it ends.
        if (loadedParamsState != LoadIdle) {
            ui->updateLabelPortStatus(true);
            return;
        }
        // The unit may have changed while the link was down: nothing of the flight log
        // read before is kept, and on the log tab the flight shown is read again.
        if (runMode == Offline) {
            logExport->clearRecords();
            ui->eventModel->removeRows(0, ui->eventModel->rowCount());
        }
        if (ui->mainTab->currentIndex() != TabLog)
            requestReadbyTabIndex(ui->mainTab->currentIndex());
        else if (runMode == Offline)
            changeEventAndChart(ui->logStackedWidget->currentIndex(), flightIndex);
        ui->updateLabelPortStatus(true);
        setRunMode(Online);
        readScheduler.setPendingReads(0);
    } else if (status == -100) {
        portOpen = false;
        ui->updateLabelPortStatus(false);
        setRunMode(Offline);
    }
}

void MainController::mainTimer_timeout()
{
    if (readScheduler.pendingReads() > 3) {
        qCDebug(lcPolling, "%d full reads without an answer: the link checks the unit",
                readScheduler.pendingReads());
        emit _needReconnect();
        return;
    }
    const int tab = ui->mainTab->currentIndex();
    if (skipTicks < 0) {
        ++skipTicks;
        return;
    }
    if (tab == TabLog) {
        sendRead(QStringLiteral("0104"));
        return;
    }
    sendRead(readScheduler.addressesForTab(tab));
}

void MainController::requestReadbyTabIndex(int tab)
{
    sendRead(readScheduler.addressesForTab(tab));
}

void MainController::requestReadAllAddress()
{
    sendRead(readScheduler.allAddresses());
}

void MainController::mainTab_current_changed(int index)
{
    skipTicks = 0;
    qCDebug(lcPolling, "tab %s shown: the reads asked for before are dropped",
            qPrintable(ui->mainTab->tabText(index)));
    serialManager->clearAllSignalsInReader();
    // The full reads in flight were dropped with the rest: no answer is owed for them.
    readScheduler.setPendingReads(0);
    ui->animationWhenTabChange(index);
    ui->animationShowGyroOff();
    if (ui->mainTab->currentIndex() == TabLog) {
        changeEventAndChart(ui->logStackedWidget->currentIndex(), 0);
        flightIndex = 0;
    }
}

void MainController::btnShowBank_button_clicked()
{
    ui->mainTab->setCurrentIndex(TabBank);
}

bool MainController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (QWidget* focus = QApplication::focusWidget())
            focus->clearFocus();
    }
    return QObject::eventFilter(watched, event);
}

// --- Edits and writes -------------------------------------------------------------------

void MainController::sendWrite(int addr, int value)
{
    serialManager->requestWrite(
            QVariant(QString::number(addr) + QLatin1Char(',') + QString::number(value)));
}

void MainController::requestWriteConfigChanges(int addr, int value, bool isBlocking)
{
    Q_UNUSED(isBlocking)
    parameterModel->setParamValue(addr, value);
    if (addr <= 0 || value < 0) {
        qCDebug(lcWrites, "%d = %d kept in the window only: not a value the unit takes", addr,
                value);
        return;
    }
    if (runMode == Offline) {
        editFeedback->editKeptOffline(addr, value, sender());
        return;
    }
    serialManager->clearAllSignalsInReader();
    readScheduler.setPendingReads(0);
    const int windowAddr = addr;
    if (addr == 1524 || addr == 1533 || addr == 1534)
        addr -= 1000;
    editFeedback->editSent(windowAddr, addr, value, sender());
    writesInFlight.writeSent(addr);
    sendWrite(addr, value);
}

void MainController::resetValue(int addr, int value, bool isBlocking)
{
    const auto answer = QMessageBox::warning(
            ui, text(80), text(187), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Cancel)
        requestWriteConfigChanges(addr, value, isBlocking);
}

void MainController::resetGroup(int textId, int command)
{
    const auto answer = QMessageBox::warning(
            ui, text(80), text(textId), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Cancel)
        requestWriteConfigChanges(CommandAddress, command, true);
}

void MainController::btnSwashDefault_clicked()
{
    resetGroup(186, 40);
}

void MainController::btnServoDefault_clicked()
{
    resetGroup(183, 50);
}

void MainController::btnSwashTrimDefault_clicked()
{
    resetGroup(183, 51);
}

void MainController::btnCyclicDefault_button_clicked()
{
    resetGroup(184, 70);
}

void MainController::cyclicAdvGainDefaultBtn_clicked()
{
    resetGroup(184, 71);
}

void MainController::btnCyclicDefaultAdv_button_clicked()
{
    resetGroup(170, 72);
}

void MainController::btnTailDefault_button_clicked()
{
    resetGroup(183, 80);
}

void MainController::tailAdvGainDefaultBtn_clicked()
{
    resetGroup(185, 81);
}

void MainController::buttonGroup_button_clicked(QObject* group, int id, bool* accept)
{
    auto* buttons = qobject_cast<QButtonGroup*>(group);
    QAbstractButton* button = buttons ? buttons->button(id) : nullptr;

    int titleId = -1;
    if (group == ui->sensorDirectionGroup)
        titleId = 138;
    else if (group == ui->swashTypeGroup)
        titleId = 145;
    else if (group == ui->rotateDirectionGroup)
        titleId = 148;
    else if (group == ui->collectiveDirectionGroup)
        titleId = 162;

    const QList<QPair<QAbstractButton*, int>> texts = {
            {ui->btnSensorDirection1, 130},    {ui->btnSensorDirection2, 131},
            {ui->btnSensorDirection3, 132},    {ui->btnSensorDirection4, 133},
            {ui->btnSensorDirection5, 134},    {ui->btnSensorDirection6, 135},
            {ui->btnSensorDirection7, 136},    {ui->btnSensorDirection8, 137},
            {ui->btnSwashplate1, 140},         {ui->btnSwashplate2, 141},
            {ui->btnSwashplate3, 142},         {ui->btnSwashplate4, 143},
            {ui->btnSwashplate5, 144},         {ui->btnRotateDirection1, 146},
            {ui->btnRotateDirection2, 147},    {ui->btnCollectiveDirection1, 160},
            {ui->btnCollectiveDirection2, 161}};
    int textId = -1;
    for (const auto& entry : texts) {
        if (button && entry.first == button) {
            textId = entry.second;
            break;
        }
    }

    const auto answer = QMessageBox::question(
            ui, titleId < 0 ? QString() : text(titleId), textId < 0 ? QString() : text(textId),
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    const bool ok = answer == QMessageBox::Ok;
    if (ok && group == ui->swashTypeGroup) {
        // Every swash plate type starts from an unturned phasing.
        ui->swashView->setAngle(0);
        requestWriteConfigChanges(211, 0, false);
    }
    if (accept)
        *accept = ok;
}

void MainController::servoButtons_clicked(QObject* button, bool checked, bool* accept)
{
    int titleId = 152;
    int textId = checked ? 150 : 151;
    if (button == ui->btnTailServo) {
        titleId = 182;
        textId = checked ? 180 : 181;
    }
    const auto answer =
            QMessageBox::question(ui, text(titleId), text(textId),
                                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (accept)
        *accept = answer == QMessageBox::Ok;
}

void MainController::bindStickMonitor(int addr, bool left, bool vertical)
{
    auto* adaptor = new RxMonitorAdaptor(left ? ui->rxViewLeft : ui->rxViewRight, nullptr);
    adaptor->setAxis(vertical ? RxMonitorAdaptor::Vertical : RxMonitorAdaptor::Horizontal);
    adaptorModel->addAdaptor(addr, adaptor);
}

void MainController::cbTxMode_current_index_changed(int index)
{
    // Which stick shows which channel, for addresses 116 (collective/throttle),
    // 114 (rudder), 112 (elevator) and 111 (aileron): left?, vertical?
    struct Binding
    {
        bool left;
        bool vertical;
    };
    static const Binding modes[4][4] = {
            // Mode 1: elevator and rudder on the left, throttle and aileron on the right.
            {{false, true}, {true, false}, {true, true}, {false, false}},
            {{true, true}, {true, false}, {false, true}, {false, false}},
            {{false, true}, {true, false}, {true, true}, {false, false}},
            {{true, true}, {false, false}, {false, true}, {true, false}}};
    static const int channels[4] = {116, 114, 112, 111};
    if (index < 0 || index > 3)
        return;
    for (int i = 0; i < 4; ++i)
        bindStickMonitor(channels[i], modes[index][i].left, modes[index][i].vertical);
}

void MainController::btnSetCenter_clicked()
{
    qCDebug(lcPolling, "set centre: no reads for %d ticks", -BusyTicks);
    requestWriteConfigChanges(129, 1, false);
    skipTicks = BusyTicks;
    ui->showProgressDialog(ProgressDialog::Busy, text(122));
    QTimer::singleShot(2000, ui, SLOT(hideProgressDialog()));
}

void MainController::btnBind_clicked()
{
    const auto answer = QMessageBox::warning(ui, text(120), text(121),
                                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::No)
        return;
    const int satellite = ui->cbSatelliteType->currentData(Qt::UserRole).toInt();
    requestWriteConfigChanges(102, satellite == 4 ? 3 : 9, false);
    qCDebug(lcPolling, "bind: no reads for %d ticks", -BusyTicks);
    skipTicks = BusyTicks;
}

void MainController::btnSwashViewRotateLeft_clicked()
{
    ui->swashView->rotateLeft();
    requestWriteConfigChanges(211, adaptorModel->value(211), false);
}

void MainController::btnSwashViewRotateRight_clicked()
{
    ui->swashView->rotateRight();
    requestWriteConfigChanges(211, adaptorModel->value(211), false);
}

void MainController::requestSendGyroOff()
{
    const int tab = ui->mainTab->currentIndex();
    if (ui->checkGyroOff->isChecked() && gyroOffCalls % 4 == 0 && tab >= 3 && tab <= 7)
        requestWriteConfigChanges(224, 1, false);
    if (++gyroOffCalls > 199)
        gyroOffCalls = 1;
}

// --- Incoming values --------------------------------------------------------------------

QString MainController::javaScriptStringLiteral(const QString& text)
{
    QString literal;
    literal.reserve(text.size() + 2);
    literal += QLatin1Char('\'');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            literal += QLatin1String("\\\\");
            break;
        case '\'':
            literal += QLatin1String("\\'");
            break;
        case '"':
            literal += QLatin1String("\\\"");
            break;
        case '\n':
            literal += QLatin1String("\\n");
            break;
        case '\r':
            literal += QLatin1String("\\r");
            break;
        // "</script>" or "<!--" would end or change the script if the text were ever
        // placed inside a page; escaped, the characters are the same to the script.
        case '<':
            literal += QLatin1String("\\x3c");
            break;
        case '>':
            literal += QLatin1String("\\x3e");
            break;
        case 0x2028:
        case 0x2029:
            literal += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                literal += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                literal += c;
        }
    }
    literal += QLatin1Char('\'');
    return literal;
}

void MainController::showRecord(int address, const QString& data)
{
    if (isEventRecord(address)) {
        const QStringList events = data.split(QLatin1Char(','));
        // A broken unit can send a record of many thousand events; no flight has that many,
        // and a table that large freezes the window.
        const int shown = qMin(events.size(), MaxEventRows);
        if (shown < events.size())
            qWarning("Flight log record %d holds %d events; only the first %d are shown", address,
                     events.size(), shown);
        for (const QString& event : events.mid(0, shown)) {
            const QStringList pieces = event.split(QLatin1Char('_'));
            const int code = pieces.first().toInt(nullptr, 10);
            const int time = pieces.last().toInt(nullptr, 10);
            const QStringList cells = {QString::number(time / 10.0, 'g', 6), QString::number(code),
                                       text(3000 + code)};
            QList<QStandardItem*> row;
            for (const QString& cell : cells) {
                auto* item = new QStandardItem(cell);
                item->setEditable(false);
                item->setData(int(Qt::AlignCenter), Qt::TextAlignmentRole);
                row.append(item);
            }
            // The shown time is rounded to six digits; the export takes the exact one.
            row.first()->setData(time, Qt::UserRole + 1);
            ui->eventModel->appendRow(row);
        }
        // The columns share the width alike; a longer event text (French, Vietnamese) wraps
        // onto a second line instead of being cut. Once per record, not per row.
        ui->eventTableView->resizeRowsToContents();
        // The pilot must see that the table was cut, not take it for the whole flight.
        if (shown < events.size()) {
            auto* note = new QStandardItem(
                    text(TextEventsNotShown).arg(events.size() - shown).arg(shown));
            note->setEditable(false);
            note->setData(int(Qt::AlignCenter), Qt::TextAlignmentRole);
            note->setData(true, FlightLogExport::NoteRole);
            ui->eventModel->appendRow(note);
            ui->eventTableView->setSpan(ui->eventModel->rowCount() - 1, 0, 1,
                                        ui->eventModel->columnCount());
        }
    }
}

void MainController::handleParamsChanged(QVariant response)
{
    const QString s = response.toString();
    const int separator = s.indexOf(QLatin1Char('='));
    if (separator >= 0) {
        const QString addressText = s.left(separator);
        const int address = addressText.toInt(nullptr, 10);
        // The record is everything after the first "=", so nothing of it can be lost.
        const QString data = s.mid(separator + 1);
        if (requestedRecord >= 0 && address != requestedRecord) {
            qDebug("Flight-log record %d dropped: record %d was asked for", address,
                   requestedRecord);
            readScheduler.answerReceived();
            return;
        }
        // An answer replaces what the table showed: a record asked for twice never shows
        // its events twice.
        if (isEventRecord(address))
            ui->eventModel->removeRows(0, ui->eventModel->rowCount());
        showRecord(address, data);
        if (isChartRecord(address)) {
            logExport->setChartRecord((address - 600) / 10, data);
            const QString script = QStringLiteral("changeData(%1, %2);")
                                           .arg(javaScriptStringLiteral(addressText),
                                                javaScriptStringLiteral(data));
            ui->chartPage->run(script);
        }
        if (isEventRecord(address) || isChartRecord(address))
            ui->logTitle->setText(text(2910 + (address - 600) / 10));
        readScheduler.answerReceived();
        return;
    }

    // "address,value": read in place, without a list of parts per answer.
    const int comma = s.indexOf(QLatin1Char(','));
    const int lastComma = s.lastIndexOf(QLatin1Char(','));
    bool addressRead = false;
    const int address = (comma < 0 ? QStringRef(&s) : s.leftRef(comma)).toInt(&addressRead, 10);
    const int value = (lastComma < 0 ? QStringRef(&s) : s.midRef(lastComma + 1)).toInt(nullptr, 10);
    fileTransfer->takeAnswer(address, value);
    if (address >= 1 && address <= 3) {
        if (firmwareDialog) {
            if (address == 1)
                firmwareDialog->setHardwareVersion(QString::asprintf("HW %.1f", value / 10.0));
            else if (address == 2)
                firmwareDialog->setFirmwareVersion(QString::asprintf("FW %.2f", value / 100.0));
            else
                firmwareDialog->setSerialNumber(QString::asprintf("%d", value));
        }
    } else if (writesInFlight.isWriting(address)) {
        // Sent before the edit being written reached the unit; the answers after its
        // outcome show what the unit holds.
        qDebug("Answer %d,%d dropped: a write to it is under way", address, value);
    } else {
        if (PollingTrace::answersTraced())
            PollingTrace::answer(*adaptorModel, address, value, parameterModel->value(address));
        adaptorModel->setAdaptorValue(address, value);
        parameterModel->setParamValue(address, value);
        if (address == 524 || address == 533 || address == 534) {
            adaptorModel->setAdaptorValue(address + 1000, value);
            parameterModel->setParamValue(address + 1000, value);
        }
    }
    readScheduler.answerReceived();
    if (addressRead && editFeedback)
        editFeedback->valueRead(address);
}

void MainController::changeEventAndChart(int page, int flight)
{
    ui->eventModel->removeRows(0, ui->eventModel->rowCount());
    const int tab = ui->mainTab->currentIndex();
    // The chart's page is made the first time the chart is opened; a new page needs no
    // reload.
    if (tab == TabLog && page == 1 && !ui->chartPage->isLoaded())
        ui->chartPage->load();
    else
        ui->chartPage->reload();
    // Records are only read for the log tab; from any other tab the scheduler's template
    // would be some other tab's address list.
    if (tab != TabLog)
        return;
    // Nothing asked for earlier (an older flight, the other page) may arrive after this.
    serialManager->clearAllSignalsInReader();
    const QString address = readScheduler.logAddress(tab, page, QString::number(flight));
    requestedRecord = address.toInt(nullptr, 10);
    // The title names the flight asked for from now on; the table stays empty until its
    // answer comes.
    if (isEventRecord(requestedRecord) || isChartRecord(requestedRecord))
        ui->logTitle->setText(text(2910 + (requestedRecord - 600) / 10));
    logExport->setFlight(flight);
    showFlightNavigation(flight);
    sendRead(address);
}

void MainController::showFlightNavigation(int flight)
{
    // "Previous" goes to older flights (up to record 4), "next" back to record 0.
    ui->btnChartEvent_prev->setEnabled(flight < 4);
    ui->btnChartEvent_next->setEnabled(flight > 0);
}

void MainController::logStack_currentChanged(int page)
{
    changeEventAndChart(page, flightIndex);
}

void MainController::btnPrevEventAndChart_clicked()
{
    if (flightIndex < 4) {
        ++flightIndex;
        changeEventAndChart(ui->logStackedWidget->currentIndex(), flightIndex);
    }
}

void MainController::btnNextEventAndChart_clicked()
{
    if (flightIndex > 0) {
        --flightIndex;
        changeEventAndChart(ui->logStackedWidget->currentIndex(), flightIndex);
    }
}

// --- Parameter files and profiles -------------------------------------------------------

QString MainController::chooseOpenPath(const QString& caption, const QString& dir,
                                       const QString& filter)
{
    return QFileDialog::getOpenFileName(ui, caption, dir, filter);
}

QString MainController::chooseSavePath(const QString& caption, const QString& dir,
                                       const QString& filter)
{
    return QFileDialog::getSaveFileName(ui, caption, dir, filter);
}

void MainController::createTransfer()
{
    fileTransfer =
            new SettingsTransfer(ui, serialManager, parameterModel, adaptorModel, config, resources,
                                 QVector<int>(SaveList, SaveList + SaveListSize), this);
    SettingsTransfer::Hooks hooks;
    hooks.chooseOpenPath = [this](const QString& caption, const QString& dir,
                                  const QString& filter) {
        return chooseOpenPath(caption, dir, filter);
    };
    hooks.chooseSavePath = [this](const QString& caption, const QString& dir,
                                  const QString& filter) {
        return chooseSavePath(caption, dir, filter);
    };
    hooks.writePauseMs = [this] { return loadedWritePauseMs(); };
    hooks.setBusy = [this](bool busy) {
        // While a flow talks to the unit it owns the run mode; polling resumes only if the
        // unit is still there.
        if (busy) {
            loadedParamsState = LoadWriting;
            setRunMode(Offline);
        } else {
            loadedParamsState = LoadIdle;
            if (portOpen)
                setRunMode(Online);
        }
    };
    fileTransfer->setHooks(hooks);
    fileTransfer->createBackupButton();
    connect(serialManager, &SerialManager::_writeFinished, fileTransfer,
            &SettingsTransfer::writeFinished);
}

void MainController::btnSave_button_clicked()
{
    if (loadedParamsState != LoadIdle)
        return;
    fileTransfer->save();
}

void MainController::btnOpen_button_clicked()
{
    if (loadedParamsState != LoadIdle)
        return;
    fileTransfer->open();
}

void MainController::btnWriteLoadedParams_button_clicked()
{
    if (loadedParamsState != LoadIdle)
        return;
    if (sender() == ui->btnAcceptWriteLoadedParams) {
        loadedParamsState = LoadWritingAll;
        ui->showProgressDialog(ProgressDialog::Progress, text(9));
        const int n = parameterModel->count();
        const QList<Parameter*> records = parameterModel->parameters();
        int k = 0;
        for (const Parameter* record : records) {
            ++k;
            ui->progressDialog->setProgressBarValue(k * 100 / n);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            serialManager->requestWriteLoaded(QVariant(QString::number(record->address) +
                                                       QLatin1Char(',') +
                                                       QString::number(record->value)));
        }
        ui->hideProgressDialog();
        loadedParamsState = LoadIdle;
    }
    setRunMode(Online);
    ui->animationWhenLoadFirmwareParams(false);
}

void MainController::cbProfile_activated(int index)
{
    Q_UNUSED(index)
}

void MainController::btnSaveProfileAs_clicked()
{
    QMenu menu(ui);
    for (int i = 1; i <= 5; ++i)
        menu.addAction(QStringLiteral("Profile %1").arg(i));
    menu.exec(ui->btnSaveProfileAs->mapToGlobal(ui->btnSaveProfileAs->rect().bottomLeft()));
}

// --- Firmware update --------------------------------------------------------------------

void MainController::btnFirmware_button_clicked()
{
    sendRead(QStringLiteral(",0001,0002,0003"));
    firmwareDialog = new FirmwareDialog(ui);
    if (firmwareDialog->exec() != 1)
        return;
    const FirmwareHandOver::Outcome outcome =
            handOver->run([this] { return runMode == Online && serialManager->isConnected(); },
                          [this] { requestWriteConfigChanges(2, 9999, true); });
    // Only a started tool may take over; in every other case the window stays with the
    // pilot and says what happened.
    if (outcome == FirmwareHandOver::ToolStarted)
        QCoreApplication::quit();
}

void MainController::handleFlashStatusChanged(int status)
{
    ProgressDialog* progress = ui->progressDialog;
    switch (status) {
    case 1:
        ui->updateLabelFlashStatus(text(101));
        progress->changeState(1);
        break;
    case 3:
        ui->updateLabelFlashStatus(text(104));
        progress->changeState(0);
        break;
    case 4:
        progress->changeState(1);
        ui->updateLabelFlashStatus(text(105));
        break;
    case 5:
        progress->changeState(0);
        ui->updateLabelFlashStatus(text(106));
        break;
    case 0:
        ui->hideProgressDialog();
        QMessageBox::information(ui, text(109), text(107), QMessageBox::Ok);
        break;
    case -1:
        ui->hideProgressDialog();
        QMessageBox::critical(ui, text(109), text(102), QMessageBox::Ok);
        break;
    case -2:
        ui->hideProgressDialog();
        QMessageBox::critical(ui, text(109), text(103), QMessageBox::Ok);
        break;
    case -999:
        ui->hideProgressDialog();
        QMessageBox::critical(ui, text(109), text(108), QMessageBox::Ok);
        break;
    default:
        break;
    }
}

void MainController::handleFlashProgressChanged(int progress)
{
    ui->progressDialog->setProgressBarValue(progress);
    ui->progressDialog->repaint();
}
