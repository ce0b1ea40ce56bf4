// The main window built offscreen the way the controller builds it: the form, the drawn
// widgets over their placeholders, the groups, lists, ranges and validators, and the
// window's own reactions (alerts, animations, labels, servo layout, LOG mode, Escape).

#include "lazychartpage.h"
#include "mainwidget.h"

#include <advanceservosview.h>
#include <buttongroup.h>
#include <doubledirectslider.h>
#include <flystyleview.h>
#include <lineeditalert.h>
#include <resourcemanager.h>
#include <rxmonitorview.h>
#include <swashtrimcollective.h>
#include <swashtrimcyclic.h>

#include <QDoubleValidator>
#include <QFile>
#include <QImage>
#include <QIntValidator>
#include <QStandardItemModel>
#include <QWebFrame>
#include <QWebView>
#include <QtTest>

namespace {

QString rich(const QStringList& paragraphs)
{
    return QStringLiteral("<html><head/><body><p>") + paragraphs.join(QStringLiteral("</p><p>")) +
           QStringLiteral("</p></body></html>");
}

// A row of a combo box: its text and the item data the unit stores.
using Items = QList<QPair<QString, QVariant>>;

} // namespace

Q_DECLARE_METATYPE(Items)

class tst_MainWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void formAsBuilt();
    void widgetKinds_data();
    void widgetKinds();
    void tabs_data();
    void tabs();
    void stackedPages_data();
    void stackedPages();
    void sliders_data();
    void sliders();
    void lineEdits_data();
    void lineEdits();
    void validatorVerdicts_data();
    void validatorVerdicts();
    void comboBoxes_data();
    void comboBoxes();
    void exclusiveGroups_data();
    void exclusiveGroups();
    void hiddenAtStart_data();
    void hiddenAtStart();
    void captions_data();
    void captions();
    void formToolTips_data();
    void formToolTips();
    void localisedToolTips();
    void drawnWidgetsOverPlaceholders();
    void slotsReachableBySignature_data();
    void slotsReachableBySignature();
    void chartPageScripts();

    void stickCoordinates_data();
    void stickCoordinates();
    void receiverChannelEcho();
    void servoAngles();
    void governorModes();
    void activeRpmHighlight();
    void servoLayoutPerSwashType_data();
    void servoLayoutPerSwashType();
    void swashTypeFiveKeepsServoPlaces();
    void bindButtonAnimation();
    void bindButtonQuickChanges();
    void advancedPages();
    void advancedPageSlideEndsAtRest();
    void tabChangeSlideReturnsFrame();
    void logModeButtons();
    void inputAlertUnderEdit();
    void servoDirectionToolTips();
    void portStatusPicture();
    void progressDialog();
    void loadedParamsQuestion();
    void escapeClearsFocus();

private:
    QWidget* widget(const QString& name) const { return m_window->findChild<QWidget*>(name); }
    // The connections that the controller makes for the adaptors' widgets.
    void connectLikeTheController();

    Ui::MainWidget* m_window = nullptr;
    ResourceManager* m_strings = nullptr;
    int m_formTabIndex = -1;
};

void tst_MainWidget::initTestCase()
{
    m_strings = ResourceManager::instance(QStringLiteral("docs/en/strings.xml"));
    QVERIFY(m_strings);
    m_window = new Ui::MainWidget;
    m_formTabIndex = m_window->mainTab->currentIndex();
    connectLikeTheController();
    m_window->registerUiConnections();
    m_window->intializeWidgetProperties();
    m_window->setToolTipForWidgets();
    m_window->mainTab->setCurrentIndex(0);
    m_window->updateLabelPortStatus(false);
    m_window->resize(1280, 660);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_MainWidget::cleanupTestCase()
{
    delete m_window;
    m_window = nullptr;
}

void tst_MainWidget::connectLikeTheController()
{
    Ui_MainWidget* w = m_window;
    for (QSlider* slider : {w->sliderRx1, w->sliderRx2, w->sliderRx3, w->lowBecSlider})
        connect(slider, SIGNAL(valueChanged(int)), w, SLOT(slider_valueChanged(int)));
    for (QComboBox* combo : {w->cbReceiverType, w->cbGovernorMode, w->rpmType, w->cbTxMode})
        connect(combo, SIGNAL(currentIndexChanged(int)), w,
                SLOT(comboBox_currentIndexChanged(int)));
    for (QButtonGroup* group : {static_cast<QButtonGroup*>(w->swashTypeGroup),
                                static_cast<QButtonGroup*>(w->sensorDirectionGroup)})
        connect(group, SIGNAL(buttonToggled(int, bool)), w,
                SLOT(buttonGroup_button_toggled(int, bool)));
    for (QToolButton* button :
         {w->btnServoCh1, w->btnServoCh2, w->btnServoCh3, w->btnServoCh4, w->btnTailServo})
        connect(button, SIGNAL(toggled(bool)), w, SLOT(servoButtons_toggled(bool)));
    for (QLineEdit* edit : {w->rescuePitEdit, w->editRPM2})
        connect(edit, SIGNAL(textEdited(QString)), w, SLOT(lineEdit_textEdited(QString)));
}

void tst_MainWidget::formAsBuilt()
{
    QCOMPARE(m_window->objectName(), QString("MainWidget_Ui"));
    QCOMPARE(m_formTabIndex, 3);
    QCOMPARE(m_window->mainTab->count(), 12);
    QVERIFY(m_window->mainTab->documentMode());
    QVERIFY(m_window->mainTab->usesScrollButtons());
    QVERIFY(!m_window->mainTab->tabsClosable());
    QCOMPARE(m_window->lineEditAlert->size(), QSize(170, 45));
    QCOMPARE(m_window->lineEditAlert->text(), m_strings->getValue(1));
    QCOMPARE(m_window->lbWriteLoadedParams->text(), m_strings->getValue(7));
    QCOMPARE(m_window->rxViewLeft->objectName(), QString("rxViewLeft"));
    QCOMPARE(m_window->rxViewRight->objectName(), QString("rxViewRight"));
    QCOMPARE(m_window->rxViewLeft->getLocation(), -5);
    QCOMPARE(m_window->rxViewRight->getLocation(), 5);
    QCOMPARE(m_window->rxViewLeft->minimumValue(), 920);
    QCOMPARE(m_window->rxViewRight->maximumValue(), 2120);
    QCOMPARE(m_window->swashTrimCyclic->trimMinimum(), -100);
    QCOMPARE(m_window->swashTrimCollective->trimMaximum(), 100);
    QCOMPARE(m_window->swashTrimCyclic->monitorMinimum(), 1120);
    QCOMPARE(m_window->swashTrimCollective->monitorMaximum(), 1920);
    for (DoubleDirectSlider* slider :
         {m_window->servoSlider1, m_window->servoSlider2, m_window->servoSlider3,
          m_window->servoSlider4, m_window->tailServoSlider}) {
        QCOMPARE(slider->getSlider()->minimum(), -100);
        QCOMPARE(slider->getSlider()->maximum(), 100);
    }
    QCOMPARE(m_window->swashView->angle(), 0);
    QVERIFY(m_window->btnSwashplate4->size().isEmpty());
    QVERIFY(!m_window->btnSwashplate4->isEnabled());
    QVERIFY(!m_window->btnSwashplate4->isCheckable());
    QVERIFY(m_window->rpmType->size().isEmpty());

    QStandardItemModel* events = m_window->eventModel;
    QVERIFY(events);
    QCOMPARE(m_window->eventTableView->model(), events);
    QCOMPARE(events->columnCount(), 3);
    QCOMPARE(events->horizontalHeaderItem(0)->text(), QString("Event Time(s)"));
    QCOMPARE(events->horizontalHeaderItem(1)->text(), QString("Event Code"));
    QCOMPARE(events->horizontalHeaderItem(2)->text(), QString("Event Type"));
    QCOMPARE(m_window->eventTableView->horizontalHeader()->sectionResizeMode(0),
             QHeaderView::Stretch);

    QCOMPARE(m_window->logTitle->text(), QString("Current Fights"));
    QVERIFY(!m_window->btnEvent->isEnabled());
    QVERIFY(m_window->btnChart->isEnabled());
    QVERIFY(m_window->btnChartEvent_next->isCheckable());
    QVERIFY(!m_window->btnChartEvent_next->isChecked());
    for (QPushButton* arrow :
         {m_window->btnSwashAdvance, m_window->btnServosAdvance, m_window->btnCollectiveAdvance,
          m_window->btnCyclicAdvance, m_window->btnTailAdvance})
        QVERIFY2(arrow->isCheckable() && !arrow->isChecked(), qPrintable(arrow->objectName()));
    QVERIFY(m_window->checkCyclicRing->isChecked());
    QVERIFY(!m_window->editCyclicRing->isEnabled());
    QVERIFY(!m_window->editPitchpump->isEnabled());
    for (QSlider* rx : {m_window->sliderRx1, m_window->sliderRx2, m_window->sliderRx3})
        QVERIFY(!rx->isEnabled());
    for (QRadioButton* radio : {m_window->radioTail1, m_window->radioTail2, m_window->radioTail3})
        QVERIFY(!radio->autoExclusive());
}

void tst_MainWidget::widgetKinds_data()
{
    QTest::addColumn<QString>("className");
    const QList<QPair<const char*, QStringList>> kinds = {
            {"QComboBox",
             {"cbLanguage", "cbBankconfigCH", "rescueMode", "cbReceiverType", "cbSatelliteType",
              "cbTxMode", "cbProfile", "cbDigtalAnalogServos", "cbGovernorMode", "cbGasServosType",
              "cbGain", "rpmType"}},
            {"QTabWidget", {"mainTab"}},
            {"QLabel",
             {"lbPortStatus",
              "lbBankConfig",
              "lbWriteLoadedParams",
              "lbSliderRx1",
              "lbSliderRx2",
              "lbSliderRx3",
              "lbSlider1_ms",
              "lbSlider2_ms",
              "lbSlider3_ms",
              "lbRxLeft_x",
              "lbRxLeft_y",
              "lbRxRight_x",
              "lbRxRight_y",
              "vBecLabel",
              "label",
              "lbAngleCh1",
              "lbAngleCh2",
              "lbAngleCh3",
              "lbAngleCh4",
              "logTitle",
              "gpsHomeFixed",
              "compassValueLabel",
              "compassUnitLabel",
              "minRTHAttitudeUnitLabel",
              "rthSpeedUnitLabel",
              "rthSpeedUpDownUnitLabel"}},
            {"QWidget",
             {"widget_2",
              "widget",
              "tabStart",
              "tabRx",
              "tabSensor",
              "tabSwash",
              "tabServos",
              "tabCollective",
              "tabCyclic",
              "tabTail",
              "tabGov",
              "tabBank",
              "tabLog",
              "tabGPS",
              "page_swash_first",
              "page_2",
              "page_servos_first",
              "page_6",
              "page_collective_first",
              "page_8",
              "page_cyclic_first",
              "page_10",
              "page_11",
              "page_tail_first",
              "page_4",
              "page_12",
              "page_13",
              "page_14"}},
            {"QFrame",
             {"frameProfile", "frameWriteLoadedParams", "frameStart", "frameRx", "frameSensor",
              "frameSwash", "frameServos", "frameCollective", "frameCyclic", "frameTail",
              "frameGovernor", "frame_2", "frame", "frame_3"}},
            {"QPushButton",
             {"btnShowBank",
              "btnSave",
              "btnOpen",
              "btnFirmware",
              "btnAcceptWriteLoadedParams",
              "btnRejectWriteLoadedParams",
              "btnFlyStyle",
              "btnBind",
              "btnSetCenter",
              "btnSaveProfileAs",
              "btnSwashAdvance",
              "btnSwashViewRotateLeft",
              "btnSwashViewRotateRight",
              "swashDefaultBtn",
              "btnServosAdvance",
              "btnServoDefault",
              "btnSwashTrimDefault",
              "btnCollectiveAdvance",
              "btnCyclicAdvance",
              "btnCyclicDefault",
              "btnCyclicGainAdvanceButton",
              "btnCyclicDefaultAdvance",
              "cyclicAdvGainDefaultBtn",
              "btnTailAdvance",
              "btnTailDefault",
              "btnTailGainAdvanceButton",
              "tailAdvGainDefaultBtn",
              "btnChartEvent_prev",
              "btnChartEvent_next",
              "btnEvent",
              "btnChart"}},
            {"QCheckBox",
             {"checkGyroOff", "checkCyclicRing", "checkPitchpump", "checkThrottleServosReverse",
              "checkAutoBaillout", "checkIdleDuringBailout"}},
            {"QRadioButton",
             {"btnHeliSize1", "btnHeliSize2", "btnHeliSize3", "btnHeliSize4", "btnHeliSize5",
              "btnHeliSize6", "btnHeliSize7", "radioTail1", "radioTail2", "radioTail3"}},
            {"QToolButton",
             {"btnRxLeft",
              "btnRxRight",
              "btnSensorDirection1",
              "btnSensorDirection2",
              "btnSensorDirection3",
              "btnSensorDirection4",
              "btnSensorDirection5",
              "btnSensorDirection6",
              "btnSensorDirection7",
              "btnSensorDirection8",
              "btnRotateDirection1",
              "btnRotateDirection2",
              "btnSwashplate1",
              "btnSwashplate2",
              "btnSwashplate3",
              "btnSwashplate4",
              "btnSwashplate5",
              "btnServoCh1",
              "btnServoCh2",
              "btnServoCh3",
              "btnServoCh4",
              "btnCollectiveDirection1",
              "btnCollectiveDirection2",
              "btnTailServo"}},
            {"QAbstractButton",
             {"btnSwashView", "btnServosView", "btnTrimSwashCyclic", "btnTrimSwashCollective"}},
            {"QStackedWidget",
             {"stackedSwash", "stackedServos", "stackedCollective", "stackedCyclic", "stackedTail",
              "logStackedWidget"}},
            {"QTextBrowser",
             {"txtBrowserStart", "txtBrowserRx", "txtBrowserSensor", "txtBrowserSwash",
              "txtBrowserServos", "txtBrowserCollective", "txtBrowserCyclic", "txtBrowserTail",
              "txtBrowserGov", "txtBrowserBank", "txtBrowserGPS"}},
            {"QTableView", {"eventTableView"}},
            {"QWebView", {"chartView"}},
            {"RxMonitorView", {"rxViewLeft", "rxViewRight"}},
            {"QSlider",
             {"lowBecSlider",
              "rescuePitSlider",
              "sliderRx1",
              "sliderRx2",
              "sliderRx3",
              "sliderCollectiveTravel",
              "sliderCollectiveTravel_2",
              "sliderCyclicLimit",
              "sliderCyclicReponse",
              "sliderCyclicGain",
              "sliderCyclicRoll",
              "sliderCyclicFlip",
              "elevatorGainSlider",
              "aileronGainSlider",
              "pGainCyclicSlider",
              "iGainCyclicSlider",
              "dGainCyclicSlider",
              "sliderTailTravel1",
              "sliderTailTravel2",
              "sliderTailYaw",
              "sliderTailGain",
              "pGainTailSlider",
              "iGainTailSlider",
              "dGainTailSlider",
              "sliderGovernorMotorOff",
              "sliderGovernoMaxThrottle",
              "sliderGovernorStartThrottle",
              "sliderGovernorScrollUp",
              "bank1_agi_slider",
              "bank2_agi_slider",
              "bank3_agi_slider",
              "bank1_gain_slider",
              "bank2_gain_slider",
              "bank3_gain_slider",
              "gpsGainSlider",
              "altiGainSlider",
              "minRTHAttitudeSlider",
              "rthSpeedSlider",
              "rthSpeedUpDownSlider"}},
            {"QLineEdit",
             {"lowBecEdit",
              "rescuePitEdit",
              "editCyclicRing",
              "editCollectiveTravel",
              "editCollectiveTravel_2",
              "editPitchpump",
              "editCyclicLimit",
              "editCyclicResponse",
              "editCyclicGain",
              "editCyclicRoll",
              "editCyclicFlip",
              "editRcDeadband",
              "editElevatorPrecom",
              "editPddleSimulate",
              "editCyclicExpo",
              "elevatorGainedit",
              "aileronGainEdit",
              "pGainEdit",
              "iGainEdit",
              "dGainEdit",
              "editTailTravel1",
              "editTailTravel2",
              "editTailYaw",
              "editTailGain",
              "editTailAccelerate",
              "editTailStopGain",
              "editTailZeroCol",
              "editTailExpo",
              "editTailCollective",
              "editTailCyclic",
              "pGainTailEdit",
              "iGainTailEdit",
              "dGainTailEdit",
              "editGovernorMotorOff",
              "editGovernorMaxThrottle",
              "editGovernorStartThrottle",
              "editGovernorScrollUp",
              "editRPM1",
              "editRPM2",
              "editRPM3",
              "editGearRatio",
              "editSensorConfig",
              "bank1_agi_edit",
              "bank2_agi_edit",
              "bank3_agi_edit",
              "bank1_gain_edit",
              "bank2_gain_edit",
              "bank3_gain_edit",
              "bank1_rpm_edit",
              "bank2_rpm_edit",
              "bank3_rpm_edit",
              "gpsGainEdit",
              "altiGainEdit",
              "minRTHAttitudeEditor",
              "rthSpeedEdit",
              "rthSpeedUpDownEdit"}}};
    for (const auto& kind : kinds) {
        for (const QString& name : kind.second)
            QTest::newRow(qPrintable(name)) << QString::fromLatin1(kind.first);
    }
}

void tst_MainWidget::widgetKinds()
{
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QFETCH(QString, className);
    QObject* object = m_window->findChild<QObject*>(name);
    QVERIFY2(object, qPrintable(name + " is missing"));
    QVERIFY2(object->inherits(className.toLatin1().constData()),
             qPrintable(name + " is a " + object->metaObject()->className()));
}

void tst_MainWidget::tabs_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("frameName");
    QTest::addColumn<int>("minimumWidth");
    QTest::addColumn<QString>("browserName");
    QTest::addColumn<QString>("helpPage");
    QTest::newRow("tabStart") << 0 << "START"
                              << "frameStart" << 580 << "txtBrowserStart"
                              << "docs/en/start.htm";
    QTest::newRow("tabRx") << 1 << "RX/TX"
                           << "frameRx" << 580 << "txtBrowserRx"
                           << "docs/en/rx.htm";
    QTest::newRow("tabSensor") << 2 << "SENSOR"
                               << "frameSensor" << 580 << "txtBrowserSensor"
                               << "docs/en/sensor.htm";
    QTest::newRow("tabSwash") << 3 << "SWASH"
                              << "frameSwash" << 600 << "txtBrowserSwash"
                              << "docs/en/swash.htm";
    QTest::newRow("tabServos") << 4 << "SERVOS"
                               << "frameServos" << 580 << "txtBrowserServos"
                               << "docs/en/servos.htm";
    QTest::newRow("tabCollective") << 5 << "COLLECTIVE"
                                   << "frameCollective" << 580 << "txtBrowserCollective"
                                   << "docs/en/collective.htm";
    QTest::newRow("tabCyclic") << 6 << "CYCLIC"
                               << "frameCyclic" << 580 << "txtBrowserCyclic"
                               << "docs/en/cyclic.htm";
    QTest::newRow("tabTail") << 7 << "TAIL"
                             << "frameTail" << 580 << "txtBrowserTail"
                             << "docs/en/tail.htm";
    QTest::newRow("tabGov") << 8 << "GOVERNOR"
                            << "frameGovernor" << 580 << "txtBrowserGov"
                            << "docs/en/governor.htm";
    QTest::newRow("tabBank") << 9 << "BANK"
                             << "frame_2" << 720 << "txtBrowserBank"
                             << "docs/en/bank.htm";
    QTest::newRow("tabLog") << 10 << "LOG"
                            << "frame" << 950 << ""
                            << "";
    QTest::newRow("tabGPS") << 11 << "GPS"
                            << "frame_3" << 800 << "txtBrowserGPS"
                            << "docs/en/gps.htm";
}

void tst_MainWidget::tabs()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, frameName);
    QFETCH(int, minimumWidth);
    QFETCH(QString, browserName);
    QFETCH(QString, helpPage);
    QTabWidget* tabs = m_window->mainTab;
    QWidget* page = tabs->widget(index);
    QCOMPARE(page->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(tabs->tabText(index), caption);
    auto* frame = page->findChild<QFrame*>(frameName);
    QVERIFY(frame);
    QCOMPARE(frame->minimumWidth(), minimumWidth);
    if (browserName.isEmpty())
        return;
    auto* browser = page->findChild<QTextBrowser*>(browserName);
    QVERIFY(browser);
    QVERIFY(browser->isReadOnly());
    auto* grid = qobject_cast<QGridLayout*>(page->layout());
    QVERIFY(grid);
    QCOMPARE(grid->itemAtPosition(0, 0)->widget(), browser);
    QCOMPARE(grid->itemAtPosition(0, 1)->widget(), frame);
    if (QFile::exists(helpPage))
        QVERIFY2(!browser->toPlainText().trimmed().isEmpty(), qPrintable(helpPage));
}

void tst_MainWidget::stackedPages_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("stackedSwash") << QStringList{"page_swash_first", "page_2"};
    QTest::newRow("stackedServos") << QStringList{"page_servos_first", "page_6"};
    QTest::newRow("stackedCollective") << QStringList{"page_collective_first", "page_8"};
    QTest::newRow("stackedCyclic") << QStringList{"page_cyclic_first", "page_10", "page_11"};
    QTest::newRow("stackedTail") << QStringList{"page_tail_first", "page_4", "page_12"};
    QTest::newRow("logStackedWidget") << QStringList{"page_13", "page_14"};
}

void tst_MainWidget::stackedPages()
{
    QFETCH(QStringList, pages);
    auto* stack = m_window->findChild<QStackedWidget*>(QTest::currentDataTag());
    QVERIFY(stack);
    QCOMPARE(stack->count(), pages.size());
    for (int i = 0; i < pages.size(); ++i)
        QCOMPARE(stack->widget(i)->objectName(), pages.at(i));
    QCOMPARE(stack->currentIndex(), 0);
    if (stack != m_window->logStackedWidget)
        QCOMPARE(stack->x(), 30);
}

void tst_MainWidget::sliders_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("pageStep");
    QTest::addColumn<bool>("vertical");
    const struct
    {
        const char* name;
        int min, max, value, page;
        bool vertical;
    } rows[] = {{"lowBecSlider", 35, 100, 50, 1, false},
                {"rescuePitSlider", 0, 100, 50, 1, false},
                {"sliderRx1", 920, 2120, 1520, 1, false},
                {"sliderRx2", 920, 2120, 1520, 1, false},
                {"sliderRx3", 920, 2120, 1520, 1, false},
                {"sliderCollectiveTravel_2", 30, 75, 45, 1, true},
                {"sliderCollectiveTravel", 30, 75, 45, 1, true},
                {"sliderCyclicLimit", 50, 150, 100, 1, false},
                {"sliderCyclicReponse", 50, 150, 100, 1, false},
                {"sliderCyclicGain", 30, 100, 100, 1, false},
                {"sliderCyclicRoll", 150, 500, 250, 2, false},
                {"sliderCyclicFlip", 150, 500, 250, 2, false},
                {"elevatorGainSlider", 20, 100, 50, 1, false},
                {"aileronGainSlider", 20, 100, 50, 1, false},
                {"pGainCyclicSlider", 20, 100, 50, 1, false},
                {"iGainCyclicSlider", 0, 100, 50, 1, false},
                {"dGainCyclicSlider", 20, 100, 50, 1, false},
                {"sliderTailTravel1", 60, 140, 100, 1, false},
                {"sliderTailTravel2", 60, 140, 100, 1, false},
                {"sliderTailYaw", 300, 700, 500, 1, true},
                {"sliderTailGain", 0, 150, 100, 1, true},
                {"pGainTailSlider", 0, 100, 50, 1, false},
                {"iGainTailSlider", 0, 100, 50, 1, false},
                {"dGainTailSlider", 0, 100, 50, 1, false},
                {"sliderGovernorMotorOff", -150, -50, -100, 1, false},
                {"sliderGovernoMaxThrottle", 50, 150, 100, 1, false},
                {"sliderGovernorStartThrottle", 0, 30, 0, 1, false},
                {"sliderGovernorScrollUp", 1, 5, 1, 1, false},
                {"bank1_agi_slider", 50, 150, 100, 1, false},
                {"bank2_agi_slider", 50, 150, 100, 1, false},
                {"bank3_agi_slider", 50, 150, 100, 1, false},
                {"bank1_gain_slider", 30, 100, 50, 1, false},
                {"bank2_gain_slider", 30, 100, 50, 1, false},
                {"bank3_gain_slider", 30, 100, 50, 1, false},
                {"gpsGainSlider", 20, 100, 20, 1, false},
                {"altiGainSlider", 20, 100, 20, 1, false},
                {"minRTHAttitudeSlider", 0, 3000, 0, 1, false},
                {"rthSpeedSlider", 10, 1000, 10, 1, false},
                {"rthSpeedUpDownSlider", 10, 400, 10, 1, false}};
    for (const auto& row : rows)
        QTest::newRow(row.name) << row.min << row.max << row.value << row.page << row.vertical;
}

void tst_MainWidget::sliders()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, pageStep);
    QFETCH(bool, vertical);
    auto* slider = m_window->findChild<QSlider*>(QTest::currentDataTag());
    QVERIFY(slider);
    QCOMPARE(slider->minimum(), minimum);
    QCOMPARE(slider->maximum(), maximum);
    QCOMPARE(slider->value(), value);
    QCOMPARE(slider->singleStep(), 1);
    QCOMPARE(slider->pageStep(), pageStep);
    QCOMPARE(slider->orientation(), vertical ? Qt::Vertical : Qt::Horizontal);
}

void tst_MainWidget::lineEdits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("top");
    QTest::addColumn<int>("decimals");
    const struct
    {
        const char* name;
        const char* text;
        double bottom, top;
        int decimals; // -1: whole numbers
    } rows[] = {{"lowBecEdit", "5.0", 3.5, 10.0, 1},
                {"rescuePitEdit", "50", 0, 100, -1},
                {"editCyclicRing", "85", 0, 100, -1},
                {"editCollectiveTravel_2", "45", 0, 100, -1},
                {"editCollectiveTravel", "45", 0, 100, -1},
                {"editPitchpump", "0", 0, 100, -1},
                {"editCyclicLimit", "100", 50, 150, -1},
                {"editCyclicResponse", "100", 50, 150, -1},
                // The slider beside it runs 30..100; the edit takes the same range.
                {"editCyclicGain", "100", 30, 100, -1},
                {"editCyclicRoll", "250", 150, 500, -1},
                {"editCyclicFlip", "250", 150, 500, -1},
                {"editRcDeadband", "10", 0, 25, -1},
                {"editElevatorPrecom", "50", 0, 100, -1},
                {"editPddleSimulate", "50", 0, 100, -1},
                {"editCyclicExpo", "0", 0, 100, -1},
                {"elevatorGainedit", "50", 20, 100, -1},
                {"aileronGainEdit", "50", 20, 100, -1},
                {"pGainEdit", "50", 20, 100, -1},
                {"iGainEdit", "50", 0, 100, -1},
                {"dGainEdit", "50", 20, 100, -1},
                {"editTailTravel1", "100", 50, 150, -1},
                {"editTailTravel2", "100", 50, 150, -1},
                {"editTailYaw", "500", 300, 700, -1},
                // The slider beside it runs 0..150; the edit takes the same range.
                {"editTailGain", "100", 0, 150, -1},
                {"editTailAccelerate", "50", 0, 100, -1},
                {"editTailStopGain", "50", 0, 100, -1},
                {"editTailZeroCol", "50", 0, 100, -1},
                {"editTailExpo", "0", 0, 100, -1},
                {"editTailCollective", "50", 0, 100, -1},
                {"editTailCyclic", "50", 0, 100, -1},
                {"pGainTailEdit", "50", 0, 100, -1},
                {"iGainTailEdit", "50", 0, 100, -1},
                {"dGainTailEdit", "50", 0, 100, -1},
                {"editGovernorMotorOff", "-100", -150, -50, -1},
                {"editGovernorMaxThrottle", "100", 50, 150, -1},
                {"editGovernorStartThrottle", "0", 0, 30, -1},
                {"editGovernorScrollUp", "1", 1, 5, -1},
                {"editRPM1", "2500", 1000, 9990, -1},
                {"editRPM2", "2500", 1000, 9990, -1},
                {"editRPM3", "2500", 1000, 9990, -1},
                {"editGearRatio", "10.00", 0.0, 99.99, 2},
                {"editSensorConfig", "8", 0, 100, -1},
                {"bank1_agi_edit", "100", 50, 150, -1},
                {"bank2_agi_edit", "100", 50, 150, -1},
                {"bank3_agi_edit", "100", 50, 150, -1},
                {"bank1_gain_edit", "50", 30, 100, -1},
                {"bank2_gain_edit", "50", 30, 100, -1},
                {"bank3_gain_edit", "50", 30, 100, -1},
                // The bank RPM edits show the same unit values as editRPM1..3.
                {"bank1_rpm_edit", "2500", 1000, 9990, -1},
                {"bank2_rpm_edit", "2500", 1000, 9990, -1},
                {"bank3_rpm_edit", "2500", 1000, 9990, -1},
                {"gpsGainEdit", "20", 20, 100, -1},
                {"altiGainEdit", "20", 20, 100, -1},
                {"minRTHAttitudeEditor", "0", 0, 3000, -1},
                {"rthSpeedEdit", "10", 10, 1000, -1},
                {"rthSpeedUpDownEdit", "10", 10, 400, -1}};
    for (const auto& row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.text) << row.bottom << row.top
                                << row.decimals;
}

void tst_MainWidget::lineEdits()
{
    QFETCH(QString, text);
    QFETCH(double, bottom);
    QFETCH(double, top);
    QFETCH(int, decimals);
    auto* edit = m_window->findChild<QLineEdit*>(QTest::currentDataTag());
    QVERIFY(edit);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    if (decimals < 0) {
        auto* validator = qobject_cast<const QIntValidator*>(edit->validator());
        QVERIFY2(validator, "expected a whole-number validator");
        QCOMPARE(validator->bottom(), int(bottom));
        QCOMPARE(validator->top(), int(top));
    } else {
        auto* validator = qobject_cast<const QDoubleValidator*>(edit->validator());
        QVERIFY2(validator, "expected a decimal validator");
        QCOMPARE(validator->bottom(), bottom);
        QCOMPARE(validator->top(), top);
        QCOMPARE(validator->decimals(), decimals);
        QCOMPARE(validator->notation(), QDoubleValidator::StandardNotation);
    }
}

void tst_MainWidget::validatorVerdicts_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("motor off 0") << "editGovernorMotorOff"
                                 << "0" << false;
    QTest::newRow("motor off -200") << "editGovernorMotorOff"
                                    << "-200" << false;
    QTest::newRow("motor off -150") << "editGovernorMotorOff"
                                    << "-150" << true;
    QTest::newRow("motor off -50") << "editGovernorMotorOff"
                                   << "-50" << true;
    QTest::newRow("motor off 100") << "editGovernorMotorOff"
                                   << "100" << false;
    QTest::newRow("lowbec 3.5") << "lowBecEdit"
                                << "3.5" << true;
    QTest::newRow("lowbec 10.0") << "lowBecEdit"
                                 << "10.0" << true;
    QTest::newRow("lowbec 7.4") << "lowBecEdit"
                                << "7.4" << true;
    QTest::newRow("lowbec 3.4") << "lowBecEdit"
                                << "3.4" << false;
    QTest::newRow("lowbec 10.1") << "lowBecEdit"
                                 << "10.1" << false;
    QTest::newRow("lowbec two decimals") << "lowBecEdit"
                                         << "7.45" << false;
    QTest::newRow("lowbec decimal comma") << "lowBecEdit"
                                          << "7,4" << false;
    QTest::newRow("gear 10.00") << "editGearRatio"
                                << "10.00" << true;
    QTest::newRow("gear 99.99") << "editGearRatio"
                                << "99.99" << true;
    QTest::newRow("gear 100") << "editGearRatio"
                              << "100" << false;
    QTest::newRow("gear three decimals") << "editGearRatio"
                                         << "8.125" << false;
    QTest::newRow("cyclic gain 30") << "editCyclicGain"
                                    << "30" << true;
    QTest::newRow("cyclic gain 101") << "editCyclicGain"
                                     << "101" << false;
    QTest::newRow("tail gain 30") << "editTailGain"
                                  << "30" << true;
    QTest::newRow("tail gain 151") << "editTailGain"
                                   << "151" << false;
    QTest::newRow("rpm 999") << "editRPM1"
                             << "999" << false;
    QTest::newRow("rpm 9990") << "bank3_rpm_edit"
                              << "9990" << true;
    QTest::newRow("rpm 9991") << "editRPM3"
                              << "9991" << false;
}

void tst_MainWidget::validatorVerdicts()
{
    QFETCH(QString, edit);
    QFETCH(QString, input);
    QFETCH(bool, acceptable);
    auto* lineEdit = m_window->findChild<QLineEdit*>(edit);
    QVERIFY(lineEdit && lineEdit->validator());
    int position = input.size();
    QString text = input;
    QCOMPARE(lineEdit->validator()->validate(text, position) == QValidator::Acceptable, acceptable);
}

void tst_MainWidget::comboBoxes_data()
{
    QTest::addColumn<Items>("items");
    QTest::addColumn<int>("current");
    QTest::newRow("cbLanguage") << Items{{"English", "en"}, {"Ti\u1ebfng Vi\u1ec7t", "vi"}} << 0;
    QTest::newRow("cbReceiverType")
            << Items{{"Traditional Receiver", 1},  {"PPM", 3},           {"S-Bus", 2},
                     {"SRXL/SUMD/IBUS/Xbus-B", 6}, {"ExBus/VoraBus", 7}, {"DSM2/DSMX Satellite", 0}}
            << 0;
    QTest::newRow("cbSatelliteType") << Items{{"DSM2", 4}, {"DSMX", 5}} << 0;
    QTest::newRow("cbTxMode") << Items{{"Mode 1", 1}, {"Mode 2", 2}, {"Mode 3", 3}, {"Mode 4", 4}}
                              << 0;
    QTest::newRow("cbBankconfigCH") << Items{{"Bank1", 0}, {"Bank2", 1}, {"Bank3", 2}} << 0;
    QTest::newRow("rpmType") << Items{{" ", 0}, {"RPM1", 1}, {"RPM2", 2}, {"RPM3", 3}} << 0;
    QTest::newRow("rescueMode") << Items{{"OFF", 0}, {"ON", 1}} << 0;
    QTest::newRow("cbDigtalAnalogServos")
            << Items{{"Digital 333Hz/1520us", 1}, {"Digital 200Hz/1520us", 2}} << 0;
    QTest::newRow("cbGovernorMode")
            << Items{{"Disabled", 0}, {"Electric", 1}, {"Nitro/Gas", 2}} << 0;
    QTest::newRow("cbGasServosType") << Items{{"Digital 333Hz/1520us", 1}, {"760us Servo", 2}} << 0;
    QTest::newRow("cbGain") << Items{{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5(*)", 5},
                                     {"6", 6}, {"7", 7}, {"8", 8}, {"9", 9}, {"10", 10}}
                            << 0;
    QTest::newRow("cbProfile") << Items{{"Bank 1", 1}, {"Bank 2", 2}, {"Bank 3", 3}} << 0;
}

void tst_MainWidget::comboBoxes()
{
    QFETCH(Items, items);
    QFETCH(int, current);
    auto* combo = m_window->findChild<QComboBox*>(QTest::currentDataTag());
    QVERIFY(combo);
    QCOMPARE(combo->count(), items.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(combo->itemText(i), items.at(i).first);
        QCOMPARE(combo->itemData(i, Qt::UserRole), items.at(i).second);
    }
    QCOMPARE(combo->currentIndex(), current);
}

void tst_MainWidget::exclusiveGroups_data()
{
    QTest::addColumn<QString>("checkedName");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("heliSizeGroup")
            << "btnHeliSize1"
            << QStringList{"btnHeliSize1", "btnHeliSize2", "btnHeliSize3", "btnHeliSize4",
                           "btnHeliSize5", "btnHeliSize6", "btnHeliSize7"};
    QTest::newRow("sensorDirectionGroup")
            << "btnSensorDirection1"
            << QStringList{"btnSensorDirection1", "btnSensorDirection2", "btnSensorDirection3",
                           "btnSensorDirection4", "btnSensorDirection5", "btnSensorDirection6",
                           "btnSensorDirection7", "btnSensorDirection8"};
    QTest::newRow("swashTypeGroup")
            << "btnSwashplate1"
            << QStringList{"btnSwashplate1", "btnSwashplate2", "btnSwashplate3", "btnSwashplate4",
                           "btnSwashplate5"};
    QTest::newRow("rotateDirectionGroup")
            << "btnRotateDirection1" << QStringList{"btnRotateDirection1", "btnRotateDirection2"};
    QTest::newRow("collectiveDirectionGroup")
            << "btnCollectiveDirection1"
            << QStringList{"btnCollectiveDirection1", "btnCollectiveDirection2"};
    QTest::newRow("tailServoTypeGroup")
            << "radioTail1" << QStringList{"radioTail1", "radioTail2", "radioTail3"};
}

void tst_MainWidget::exclusiveGroups()
{
    QFETCH(QString, checkedName);
    QFETCH(QStringList, buttons);
    const QHash<QString, QButtonGroup*> groups = {
            {"heliSizeGroup", m_window->heliSizeGroup},
            {"sensorDirectionGroup", m_window->sensorDirectionGroup},
            {"swashTypeGroup", m_window->swashTypeGroup},
            {"rotateDirectionGroup", m_window->rotateDirectionGroup},
            {"collectiveDirectionGroup", m_window->collectiveDirectionGroup},
            {"tailServoTypeGroup", m_window->tailServoTypeGroup}};
    QButtonGroup* group = groups.value(QTest::currentDataTag());
    QVERIFY(group);
    QVERIFY(group->exclusive());
    QCOMPARE(group->buttons().size(), buttons.size());
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = m_window->findChild<QAbstractButton*>(buttons.at(i));
        QVERIFY(button);
        QCOMPARE(group->id(button), i + 1);
    }
    int checked = 0;
    for (QAbstractButton* button : group->buttons())
        checked += button->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    QCOMPARE(group->checkedButton()->objectName(), checkedName);
    if (auto* confirmed = qobject_cast<ButtonGroup*>(group))
        QCOMPARE(confirmed->lastButtonChecked()->objectName(), checkedName);
}

void tst_MainWidget::hiddenAtStart_data()
{
    QTest::addColumn<bool>("hidden");
    for (const char* name :
         {"frameWriteLoadedParams", "checkGyroOff", "cbLanguage", "cbSatelliteType", "btnBind",
          "cbProfile", "btnSaveProfileAs", "label", "rpmType", "lbMonitorHeader_4",
          "checkCyclicRing", "editCyclicRing", "cbGasServosType", "checkThrottleServosReverse",
          "cbGain", "btnServoCh4"})
        QTest::newRow(name) << true;
    for (const char* name :
         {"btnOpen", "btnSave", "btnFirmware", "cbBankconfigCH", "btnShowBank", "lbPortStatus",
          "mainTab", "frameProfile", "cbReceiverType", "btnSetCenter", "btnServoCh1", "btnServoCh2",
          "btnServoCh3", "cbGovernorMode", "vBecLabel"})
        QTest::newRow(name) << false;
}

void tst_MainWidget::hiddenAtStart()
{
    QFETCH(bool, hidden);
    QWidget* w = widget(QTest::currentDataTag());
    QVERIFY(w);
    QCOMPARE(w->isHidden(), hidden);
}

void tst_MainWidget::captions_data()
{
    QTest::addColumn<QString>("text");
    const QList<QPair<const char*, const char*>> labels = {
            {"lbMonitorHeader_10", "Flying Style"},
            {"lbMonitorHeader_11", "Heli Size"},
            {"label_19", "LowBec"},
            {"label_20", "Rescue Pit"},
            {"lbGovernor_11", "V"},
            {"lbGovernor_12", "%"},
            {"label_21", "RESCUE"},
            {"lbReceiverType", "Receiver Type"},
            {"lbMonitorHeader", "Monitor"},
            {"lbTxMode", "Tx Mode"},
            {"label", "Save as"},
            {"lbSlider1_ms", "1520 \u00b5s"},
            {"lbRxLeft_x", "\u221e"},
            {"lbRxRight_y", "\u221e"},
            {"vBecLabel", "VBEC: 0.0V"},
            {"lbMonitorHeader_3", "Main Rotor Direction"},
            {"lbMonitorHeader_2", "Swash Type (head on top)"},
            {"lbMonitorHeader_4", "Servos Parameter"},
            {"lbMonitorHeader_5", "Travels and Reactions"},
            {"label_3", "Angle"},
            {"label_5", "Ch1"},
            {"label_6", "Ch2"},
            {"label_7", "Ch3"},
            {"label_8", "Ch4"},
            {"label_14", "Phasing"},
            // The window shows the first swash type's angles from the start.
            {"lbAngleCh1", "300"},
            {"lbMonitorHeader_8", "Servos Type"},
            {"lbMonitorHeader_9", "Swash Trim"},
            {"lbMonitorHeader_12", "Swash servo phasing"},
            {"lbMonitorHeader_6", "Collective Direction"},
            {"lbMonitorHeader_7", "Collective Travel"},
            {"lbMonitorHeader_13", "Travel (+)"},
            {"lbMonitorHeader_16", "Travel (-)"},
            {"lbCyclicHeader", "Cyclic Basic "},
            {"lbCyclicLimit", "Limit"},
            {"lbCyclicResponse", "Agility"},
            {"lbCyclicGain", "Gain"},
            {"lbCyclicRoll", "Roll Rate"},
            {"lbCyclicGain_3", "Flip Rate"},
            {"label_9", "deg/s"},
            {"label_2", "deg/s"},
            {"lbMonitorHeader_14", "Main rotor"},
            {"edit", "RC Deadband"},
            {"lbMonitorHeader_15", "Elevator Precompensation"},
            {"lbMonitorHeader_17", "Paddle simulation"},
            {"lbMonitorHeader_18", "% Expo"},
            {"label_18", "Elevator Gain"},
            {"label_17", "Aileron Gain"},
            {"label_4", "P Gain"},
            {"label_11", "I Gain"},
            {"label_12", "D Gain"},
            {"lbServosTypeHeader", "Servos Type"},
            {"lbTailTravel1", "Travel R"},
            {"lbTailTravel2", "Travel L"},
            {"lbMonitorHeader_23", "Tail Rotor"},
            {"lbMonitorHeader_28", "Yaw rate"},
            {"lbMonitorHeader_29", "GAIN BY TX"},
            {"label_10", "deg/s"},
            {"lbMonitorHeader_19", "Parameters"},
            {"lbMonitorHeader_20", "Acceleration"},
            {"lbMonitorHeader_22", "Stop L"},
            {"lbMonitorHeader_26", "Stop R"},
            {"lbMonitorHeader_21", "% Expo"},
            {"lbMonitorHeader_24", "Torque precompensation"},
            {"lbMonitorHeader_27", "Collective"},
            {"lbMonitorHeader_25", "Cyclic"},
            {"label_15", "P Gain"},
            {"label_13", "I Gain"},
            {"label_16", "D Gain"},
            {"lbGovernor_6", "Motor off"},
            {"lbGovernor_4", "Max Throttle"},
            {"lbGovernor_9", "Start Throttle"},
            {"lbGovernor_10", "ScrollUp"},
            {"lbGovernor_7", "%"},
            {"lbGovernor_5", "%"},
            {"lbGovernor_8", "%"},
            {"lbGain", "Governor Gain"},
            {"lbGovernor_3", "RPM settings"},
            {"lbGovernor_2", "RPM1 (50%)"},
            {"lbGovernor_13", "RPM2 (75%)"},
            {"lbGovernor_14", "RPM3 (100%)"},
            {"lbGovernor_15", "Gear settings"},
            {"lbGovernor", "1: GearRatio"},
            {"lbSensorConfig", "Motor Poles"},
            {"label_22", "Bank1"},
            {"label_23", "Bank2"},
            {"label_24", "Bank3"},
            {"label_25", "Cyclic Agility"},
            {"label_26", "Cyclic Gain"},
            {"label_27", "RPM"},
            {"lbGovernor_16", "RPM1 (50%)"},
            {"lbGovernor_17", "RPM2 (75%)"},
            {"lbGovernor_18", "RPM3 (100%)"},
            {"gpsStatusLabel", "GPS Status:"},
            {"gpsHomeFixed", "Not Fixed"},
            {"compassLabel", "Compass:"},
            {"compassValueLabel", "0.0"},
            {"compassUnitLabel", "Degs"},
            {"gpsGainLabel", "GPS GAIN"},
            {"altiGainLabel", "ALTI GAIN"},
            {"rthAltitudeLabel", "RTH Altitude"},
            {"rthSpeedLabel", "RTH Speed"},
            {"rthUpDownLabel", "RTH Up/Down"},
            {"minRTHAttitudeUnitLabel", "Cm"},
            {"rthSpeedUnitLabel", "Cm/s"},
            {"rthSpeedUpDownUnitLabel", "Cm/s"},
            {"lbBankConfig", "BANK"},
            // Button and check box texts.
            {"btnShowBank", "..."},
            {"checkGyroOff", "Gyro Off"},
            {"btnBind", "Bind"},
            {"btnSetCenter", "Set Center"},
            {"btnHeliSize1", "100-310"},
            {"btnHeliSize2", "325-360"},
            {"btnHeliSize3", "380-420"},
            {"btnHeliSize4", " 430-520"},
            {"btnHeliSize5", "550-650"},
            {"btnHeliSize6", "700"},
            {"btnHeliSize7", "800+"},
            {"btnRxLeft", "RX View Left"},
            {"btnRxRight", "RX View Right"},
            {"btnSwashView", "Custom View"},
            {"btnServosView", "Custom View"},
            {"checkCyclicRing", "Cyclic Ring"},
            {"swashDefaultBtn", "Default"},
            {"btnServoDefault", "Default"},
            {"btnSwashTrimDefault", "Default"},
            {"btnCyclicDefault", "Default"},
            {"btnCyclicGainAdvanceButton", "..."},
            {"btnCyclicDefaultAdvance", "Default"},
            {"cyclicAdvGainDefaultBtn", "Default"},
            {"radioTail1", "1520 \u00b5s "},
            {"radioTail2", "760\u00b5s/560Hz"},
            {"radioTail3", "760\u00b5s/333Hz"},
            {"btnTailDefault", "Default"},
            {"btnTailGainAdvanceButton", "Advanced"},
            {"tailAdvGainDefaultBtn", "Default"},
            {"checkThrottleServosReverse", "Throttle Servo Reverse"},
            {"checkAutoBaillout", "Autorotation Bailout Mode"},
            {"checkIdleDuringBailout", "Idle during Bailout"},
            {"btnEvent", "Event"},
            {"btnChart", "Chart"}};
    for (const auto& label : labels)
        QTest::newRow(label.first) << QString::fromUtf8(label.second);
}

void tst_MainWidget::captions()
{
    QFETCH(QString, text);
    QObject* object = m_window->findChild<QObject*>(QTest::currentDataTag());
    QVERIFY(object);
    QCOMPARE(object->property("text").toString(), text);
}

void tst_MainWidget::formToolTips_data()
{
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("cbReceiverType") << rich({"Choose the correct Rx model for your radio system."});
    QTest::newRow("sliderRx1") << rich(
            {"Throttle Channel monitor form Transmitter. Center value 1520us (50%)"});
    QTest::newRow("sliderRx2") << rich(
            {"Gear (CH5) channel monitor form Transmitter.  Center 1520us is 0% tail gain."});
    QTest::newRow("sliderRx3") << QString(
            "AUX (CH7) channel value form Transmitter. Center 1520us");
    QTest::newRow("lbMonitorHeader")
            << rich({"The joystick movement on the monitor must match the movement of the stick "
                     "on the transmitter"});
    QTest::newRow("vBecLabel") << rich({"It is the supply voltage to the Unit"});
    QTest::newRow("sliderCollectiveTravel_2")
            << rich({"Value matching ranges [40-60] to achieve a maximum collective of 12 "
                     "degrees. If over that range replace the arm with a different length of "
                     "servor arms.",
                     "Note: DR/ Endpoint of CH6 of your Transmitter is 100 (default)."});
    QTest::newRow("editCollectiveTravel_2")
            << rich({"Value matching ranges [40-60] to achieve a maximum collective of 12 "
                     "degrees. If over that range replace the arm with a different length of "
                     "servor arms.",
                     "Note: DR/ Endpoint of CH6 of your Transmitter is 100 (default)."});
    QTest::newRow("cbGain") << QString("You should choose Medium level first");
    QTest::newRow("checkAutoBaillout")
            << rich({"Enabale for fast RPM retrieval during Autorotation.",
                     "When the throttle is below 5-15% the motor will stop . But when the "
                     "throttle is over 15%, the engine will increase RPM very quickly. ",
                     "Be careful when using it."});
}

void tst_MainWidget::formToolTips()
{
    QFETCH(QString, toolTip);
    QWidget* w = widget(QTest::currentDataTag());
    QVERIFY(w);
    QCOMPARE(w->toolTip(), toolTip);
}

void tst_MainWidget::localisedToolTips()
{
    auto text = [this](int id) { return m_strings->getValue(id); };
    QVERIFY2(!text(2002).isEmpty(), "the English string table lacks tooltip 2002");
    QCOMPARE(m_window->checkGyroOff->toolTip(), text(2000));
    QCOMPARE(m_window->btnOpen->toolTip(), text(2002));
    QCOMPARE(m_window->btnFirmware->toolTip(), text(2004));
    QCOMPARE(m_window->cbTxMode->toolTip(), text(2202));
    QCOMPARE(m_window->btnSensorDirection1->toolTip(), text(130));
    QCOMPARE(m_window->btnSensorDirection8->toolTip(), text(137));
    QCOMPARE(m_window->btnSwashplate5->toolTip(), text(144));
    QCOMPARE(m_window->btnRotateDirection2->toolTip(), text(147));
    QCOMPARE(m_window->servoSlider3->toolTip(), text(2500));
    QCOMPARE(m_window->swashTrimCollective->toolTip(), text(2501));
    QCOMPARE(m_window->btnCollectiveDirection2->toolTip(), text(161));
    // The form's rich tooltip of the minus column is replaced by the localised one.
    QCOMPARE(m_window->sliderCollectiveTravel->toolTip(), text(2600));
    QCOMPARE(m_window->editCyclicFlip->toolTip(), text(2704));
    QCOMPARE(m_window->btnCyclicDefaultAdvance->toolTip(), text(170));
    QCOMPARE(m_window->tailServoSlider->toolTip(), text(2800));
    QCOMPARE(m_window->editTailTravel2->toolTip(), text(2801));
    QCOMPARE(m_window->elevatorGainedit->toolTip(), text(2908));
    // 2804..2809 follow the order acceleration, stop L, expo, collective, cyclic, stop R.
    QCOMPARE(m_window->editTailExpo->toolTip(), text(2806));
    QCOMPARE(m_window->editTailZeroCol->toolTip(), text(2809));
    QCOMPARE(m_window->btnTailDefault->toolTip(), text(183));
    QCOMPARE(m_window->editGovernorScrollUp->toolTip(), text(2906));
    QCOMPARE(m_window->editRPM3->toolTip(), text(2923));
    QCOMPARE(m_window->editSensorConfig->toolTip(), text(2904));
    QCOMPARE(m_window->btnTailAdvance->toolTip(), text(13));
}

void tst_MainWidget::drawnWidgetsOverPlaceholders()
{
    Ui_MainWidget* w = m_window;
    QCOMPARE(w->flyStyleView->parentWidget(), w->frameStart);
    QCOMPARE(w->flyStyleView->pos(), w->btnFlyStyle->pos());
    QCOMPARE(w->rxViewLeft->parentWidget(), w->frameRx);
    QCOMPARE(w->rxViewLeft->pos(), w->btnRxLeft->pos());
    QCOMPARE(w->rxViewRight->pos(), w->btnRxRight->pos());
    QCOMPARE(w->swashView->parentWidget(), w->page_2);
    QCOMPARE(w->swashView->pos(), w->btnSwashView->pos());
    QCOMPARE(w->swashView->size(), w->btnSwashView->size());
    QCOMPARE(w->servosView->parentWidget(), w->page_6);
    QCOMPARE(w->servosView->pos(), w->btnServosView->pos());
    QCOMPARE(w->servosView->size(), w->btnServosView->size());
    QCOMPARE(w->swashTrimCyclic->parentWidget(), w->page_6);
    QCOMPARE(w->swashTrimCyclic->geometry(), w->btnTrimSwashCyclic->geometry());
    QCOMPARE(w->btnTrimSwashCyclic->size(), QSize(291, 301));
    QCOMPARE(w->swashTrimCollective->parentWidget(), w->page_8);
    QCOMPARE(w->swashTrimCollective->geometry(), w->btnTrimSwashCollective->geometry());
    QCOMPARE(w->btnTrimSwashCollective->size(), QSize(251, 191));
    QCOMPARE(w->btnRxLeft->size(), QSize(200, 200));
    QCOMPARE(w->tailServoSlider->parentWidget(), w->page_tail_first);
    QCOMPARE(w->tailServoSlider->pos(),
             QPoint(w->btnTailServo->x() + w->btnTailServo->width(), w->btnTailServo->y() - 20));
    for (DoubleDirectSlider* slider :
         {w->servoSlider1, w->servoSlider2, w->servoSlider3, w->servoSlider4})
        QCOMPARE(slider->parentWidget(), w->page_servos_first);
    // Each drawn widget lies above its placeholder, so the placeholder never takes a click.
    QWidgetList children;
    for (QObject* child : w->frameRx->children()) {
        if (child->isWidgetType())
            children << static_cast<QWidget*>(child);
    }
    QVERIFY(children.indexOf(w->rxViewLeft) > children.indexOf(w->btnRxLeft));
}

void tst_MainWidget::slotsReachableBySignature_data()
{
    QTest::addColumn<QString>("signature");
    for (const char* slot :
         {"registerUiConnections()",
          "intializeWidgetProperties()",
          "setToolTipForWidgets()",
          "hideLineEditAlert()",
          "showProgressDialog(ProgressDialog::Type,QString)",
          "showProgressDialog(ProgressDialog::Type)",
          "showProgressDialog()",
          "hideProgressDialog()",
          "updateWidgetsPositionOnTabServos(int)",
          "updateRelativePositionOnTabServos(QPoint,QAbstractButton*,DoubleDirectSlider*)",
          "updateLabelPortStatus(bool)",
          "updateLabelFlashStatus(QString)",
          "animationWhenTabChange(int)",
          "animationWhenLoadFirmwareParams(bool)",
          "animationWhenBindRx()",
          "animationWhenShowAdvance(QStackedWidget*,bool)",
          "animationShowGyroOff()",
          "comboBox_currentIndexChanged(int)",
          "btnChangeAdvanceNormalMode_clicked(bool)",
          "btnChangeAdvanceNormalMode_toggled(bool)",
          "buttonGroup_button_toggled(int,bool)",
          "servoButtons_toggled(bool)",
          "slider_valueChanged(int)",
          "lineEdit_textEdited(QString)",
          "rxView_sensor_value_changed(qint32,qint32)",
          "swashView_angle_changed(QList<int>)",
          "btnChangeEventAndChartMode_clicked(bool)",
          "btnCyclicGainAdvance_clicked()",
          "btnTailGainAdvanceButton_clicked()"})
        QTest::newRow(slot) << QString::fromLatin1(slot);
}

void tst_MainWidget::slotsReachableBySignature()
{
    QFETCH(QString, signature);
    const QMetaObject* meta = m_window->metaObject();
    const int index = meta->indexOfSlot(signature.toLatin1().constData());
    QVERIFY2(index >= 0, qPrintable(signature));
    QCOMPARE(meta->method(index).access(), QMetaMethod::Public);
    // The window announces nothing itself: all its signals are inherited.
    for (int i = Ui_MainWidget::staticMetaObject.methodOffset(); i < meta->methodCount(); ++i)
        QVERIFY(meta->method(i).methodType() != QMetaMethod::Signal);
}

void tst_MainWidget::chartPageScripts()
{
    if (!QFile::exists(QStringLiteral("charts/highstock.js")))
        QSKIP("the chart scripts are not in the bin folder");
    m_window->chartPage->load(); // the page is made when the chart is first opened
    QWebFrame* frame = m_window->chartView->page()->mainFrame();
    QCOMPARE(frame->evaluateJavaScript("typeof changeData").toString(), QString("function"));
    QCOMPARE(frame->evaluateJavaScript("typeof jQuery").toString(), QString("function"));
    QCOMPARE(frame->evaluateJavaScript("typeof Highcharts").toString(), QString("object"));

    // The controller reloads the page before it asks for each record; the chart must
    // still be drawable when the record arrives.
    QSignalSpy loaded(m_window->chartView, &QWebView::loadFinished);
    m_window->chartView->reload();
    if (loaded.isEmpty())
        loaded.wait(300);
    frame = m_window->chartView->page()->mainFrame();
    QCOMPARE(frame->evaluateJavaScript("typeof Highcharts").toString(), QString("object"));
    QCOMPARE(frame->evaluateJavaScript("changeData('614', '5;rpm:0,1200,2400')").toBool(), true);
}

void tst_MainWidget::stickCoordinates_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("xText");
    QTest::addColumn<QString>("yText");
    const QString infinity = QStringLiteral("\u221e");
    QTest::newRow("left centre, y above range") << true << 1520 << 2121 << "0" << infinity;
    QTest::newRow("left x below range, y at minimum") << true << 919 << 920 << infinity << "-600";
    QTest::newRow("left at maximum and just under centre") << true << 2120 << 1519 << "600"
                                                           << "-1";
    QTest::newRow("right far outside") << false << 0 << 5000 << infinity << infinity;
    QTest::newRow("right in range") << false << 1720 << 1320 << "200"
                                    << "-200";
}

void tst_MainWidget::stickCoordinates()
{
    QFETCH(bool, left);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QString, xText);
    QFETCH(QString, yText);
    RxMonitorView* view = left ? m_window->rxViewLeft : m_window->rxViewRight;
    QLabel* xLabel = left ? m_window->lbRxLeft_x : m_window->lbRxRight_x;
    QLabel* yLabel = left ? m_window->lbRxLeft_y : m_window->lbRxRight_y;
    QLabel* otherX = left ? m_window->lbRxRight_x : m_window->lbRxLeft_x;
    const QString otherBefore = otherX->text();
    emit view->_sensorValueChanged(x, y);
    QCOMPARE(xLabel->text(), xText);
    QCOMPARE(yLabel->text(), yText);
    QCOMPARE(otherX->text(), otherBefore);

    // A monitor the window does not know (no side) changes nothing.
    RxMonitorView stranger(190, 190, 18, 18);
    stranger.setLocation(0);
    connect(&stranger, SIGNAL(_sensorValueChanged(qint32, qint32)), m_window,
            SLOT(rxView_sensor_value_changed(qint32, qint32)));
    emit stranger._sensorValueChanged(1600, 1600);
    QCOMPARE(xLabel->text(), xText);
    QCOMPARE(yLabel->text(), yText);
}

void tst_MainWidget::receiverChannelEcho()
{
    m_window->sliderRx2->setValue(2000);
    QCOMPARE(m_window->lbSlider2_ms->text(), QString("2000 \u00b5s"));
    m_window->sliderRx3->setValue(920);
    QCOMPARE(m_window->lbSlider3_ms->text(), QString("920 \u00b5s"));
    const QString first = m_window->lbSlider1_ms->text();
    m_window->lowBecSlider->setValue(74); // connected too, but no channel of its own
    QCOMPARE(m_window->lbSlider1_ms->text(), first);
    QCOMPARE(m_window->lbSlider2_ms->text(), QString("2000 \u00b5s"));
    m_window->lowBecSlider->setValue(50);
    m_window->slider_valueChanged(1000); // called directly: there is no sender
    QCOMPARE(m_window->lbSlider2_ms->text(), QString("2000 \u00b5s"));
}

void tst_MainWidget::servoAngles()
{
    emit m_window->swashView->_angleChanged({300, 180, 60, -1});
    QCOMPARE(m_window->lbAngleCh1->text(), QString("300"));
    QCOMPARE(m_window->lbAngleCh2->text(), QString("180"));
    QCOMPARE(m_window->lbAngleCh3->text(), QString("60"));
    // A channel the swash type does not have shows no angle rather than "-1".
    QCOMPARE(m_window->lbAngleCh4->text(), QString("-"));
    emit m_window->swashView->_angleChanged({270, 0, 90, 180});
    QCOMPARE(m_window->lbAngleCh2->text(), QString("0"));
    QCOMPARE(m_window->lbAngleCh4->text(), QString("180"));
    emit m_window->swashView->_angleChanged({5});
    QCOMPARE(m_window->lbAngleCh1->text(), QString("5"));
    QCOMPARE(m_window->lbAngleCh4->text(), QString("180"));
}

void tst_MainWidget::governorModes()
{
    Ui_MainWidget* w = m_window;
    auto visible = [w](QWidget* child) { return child->isVisibleTo(w->frameGovernor); };
    const QList<QWidget*> children =
            w->frameGovernor->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);

    w->cbGovernorMode->setCurrentIndex(1);
    w->cbGovernorMode->setCurrentIndex(0);
    for (QWidget* child : children) {
        QCOMPARE(visible(child), child == w->cbGovernorMode);
    }

    w->cbGovernorMode->setCurrentIndex(1); // Electric
    QVERIFY(visible(w->cbGain));
    QVERIFY(visible(w->editSensorConfig));
    QVERIFY(visible(w->lbSensorConfig));
    QVERIFY(visible(w->checkIdleDuringBailout));
    QVERIFY(visible(w->sliderGovernorMotorOff));
    QVERIFY(visible(w->editRPM1));
    QVERIFY(!visible(w->cbGasServosType));
    QVERIFY(!visible(w->checkThrottleServosReverse));
    QVERIFY(!visible(w->rpmType) || w->rpmType->size().isEmpty());

    w->cbGovernorMode->setCurrentIndex(2); // Nitro/Gas
    QVERIFY(visible(w->cbGasServosType));
    QVERIFY(visible(w->cbGain));
    QVERIFY(visible(w->checkThrottleServosReverse));
    QVERIFY(!visible(w->editSensorConfig));
    QVERIFY(!visible(w->lbSensorConfig));
    QVERIFY(!visible(w->checkIdleDuringBailout));
    QVERIFY(visible(w->editGearRatio));

    w->cbGovernorMode->setCurrentIndex(1);
    QVERIFY(!visible(w->cbGasServosType));
    QVERIFY(visible(w->editSensorConfig));
    w->cbGovernorMode->setCurrentIndex(0);
}

void tst_MainWidget::activeRpmHighlight()
{
    const QList<QLineEdit*> edits = {m_window->editRPM1, m_window->editRPM2, m_window->editRPM3};
    // What the pilot sees: most of the edit's face is the marking yellow.
    auto yellow = [](QLineEdit* edit) {
        const QImage face = edit->grab().toImage();
        int count = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x)
                count += face.pixelColor(x, y) == QColor(255, 255, 0) ? 1 : 0;
        }
        return count * 2 > face.width() * face.height();
    };
    for (int step = 1; step <= 3; ++step) {
        m_window->rpmType->setCurrentIndex(step);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(yellow(edits.at(i)), i + 1 == step);
    }
    m_window->rpmType->setCurrentIndex(0);
    for (QLineEdit* edit : edits)
        QVERIFY(!yellow(edit));
}

void tst_MainWidget::servoLayoutPerSwashType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QPoint>>("places");
    QTest::addColumn<QList<int>>("angles");
    QTest::newRow("type 1") << 1 << QList<QPoint>{{10, 40}, {150, 300}, {290, 40}}
                            << QList<int>{300, 180, 60, -1};
    QTest::newRow("type 2") << 2 << QList<QPoint>{{10, 300}, {150, 40}, {290, 300}}
                            << QList<int>{240, 0, 120, -1};
    QTest::newRow("type 3") << 3 << QList<QPoint>{{10, 300}, {150, 40}, {290, 180}}
                            << QList<int>{225, 0, 90, -1};
    QTest::newRow("type 4") << 4 << QList<QPoint>{{10, 180}, {150, 30}, {150, 330}, {310, 180}}
                            << QList<int>{270, 0, 90, 180};
}

void tst_MainWidget::servoLayoutPerSwashType()
{
    QFETCH(int, type);
    QFETCH(QList<QPoint>, places);
    QFETCH(QList<int>, angles);
    Ui_MainWidget* w = m_window;
    // The swash type arrives as the unit's value: the group reports the checked button.
    w->btnSwashplate4->setCheckable(type == 4);
    w->swashTypeGroup->button(type)->setChecked(true);
    const QList<QToolButton*> buttons = {w->btnServoCh1, w->btnServoCh2, w->btnServoCh3,
                                         w->btnServoCh4};
    const QList<DoubleDirectSlider*> sliders = {w->servoSlider1, w->servoSlider2, w->servoSlider3,
                                                w->servoSlider4};
    for (int i = 0; i < places.size(); ++i) {
        QCOMPARE(buttons.at(i)->pos(), places.at(i));
        QCOMPARE(sliders.at(i)->pos(),
                 QPoint(places.at(i).x() + buttons.at(i)->width(), places.at(i).y() - 20));
    }
    QCOMPARE(w->btnServoCh4->isHidden(), type != 4);
    QCOMPARE(w->servoSlider4->isHidden(), type != 4);
    QCOMPARE(w->swashView->channelAngles(), angles);
    QCOMPARE(w->servosView->channelAngles(), angles);

    w->btnSwashplate1->setChecked(true);
    w->btnSwashplate4->setCheckable(false);
}

void tst_MainWidget::swashTypeFiveKeepsServoPlaces()
{
    Ui_MainWidget* w = m_window;
    w->btnSwashplate2->setChecked(true);
    const QPoint ch1 = w->btnServoCh1->pos();
    const QPoint slider3 = w->servoSlider3->pos();
    const QList<int> angles = w->servosView->channelAngles();
    w->btnSwashplate5->setChecked(true);
    QCOMPARE(w->btnServoCh1->pos(), ch1);
    QCOMPARE(w->servoSlider3->pos(), slider3);
    QCOMPARE(w->servosView->channelAngles(), angles);
    QVERIFY(w->btnServoCh4->isHidden());
    // Other groups reporting a checked button do not move anything either.
    w->btnSensorDirection3->setChecked(true);
    QCOMPARE(w->btnServoCh1->pos(), ch1);
    w->btnSensorDirection1->setChecked(true);
    w->btnSwashplate1->setChecked(true);
}

void tst_MainWidget::bindButtonAnimation()
{
    Ui_MainWidget* w = m_window;
    const int satellite = w->cbReceiverType->findData(0);
    QCOMPARE(satellite, 5);
    const QRect r = w->cbReceiverType->geometry();
    const QRect b = w->btnBind->geometry();

    w->cbReceiverType->setCurrentIndex(satellite);
    QVERIFY(!w->btnBind->isHidden());
    QVERIFY(!w->cbSatelliteType->isHidden());
    QTRY_COMPARE(w->btnBind->pos(), QPoint(b.x(), r.y() + 40));
    QTRY_COMPARE(w->cbSatelliteType->geometry(),
                 QRect(r.x(), r.y() + 40, r.width() - b.width() - 10, r.height()));

    // Asking again while the bind row is out changes nothing.
    w->animationWhenBindRx();
    QTest::qWait(60);
    QCOMPARE(w->btnBind->pos(), QPoint(b.x(), r.y() + 40));
    QCOMPARE(w->cbSatelliteType->width(), r.width() - b.width() - 10);

    w->cbReceiverType->setCurrentIndex(w->cbReceiverType->findData(3)); // PPM
    QTRY_VERIFY(w->btnBind->isHidden());
    QVERIFY(w->cbSatelliteType->isHidden());
    QCOMPARE(w->btnBind->pos(), QPoint(b.x(), -b.height()));
    QCOMPARE(w->cbSatelliteType->geometry(),
             QRect(r.x() + r.width() / 2 - 3, r.y() + r.height() + 40, 5, 1));

    // Another receiver type while the row is in does nothing either.
    w->cbReceiverType->setCurrentIndex(w->cbReceiverType->findData(2));
    QTest::qWait(60);
    QVERIFY(w->btnBind->isHidden());
    QCOMPARE(w->btnBind->pos(), QPoint(b.x(), -b.height()));
    w->cbReceiverType->setCurrentIndex(0);
}

void tst_MainWidget::bindButtonQuickChanges()
{
    // A user scrolling through the list passes the satellite entry faster than the slide:
    // the row must end where the last choice puts it.
    Ui_MainWidget* w = m_window;
    const QRect r = w->cbReceiverType->geometry();
    const int satellite = w->cbReceiverType->findData(0);
    w->cbReceiverType->setCurrentIndex(satellite);
    QTest::qWait(40);
    w->cbReceiverType->setCurrentIndex(0);
    QTest::qWait(40);
    w->cbReceiverType->setCurrentIndex(satellite);
    QTest::qWait(400);
    QVERIFY(!w->btnBind->isHidden());
    QVERIFY(!w->cbSatelliteType->isHidden());
    QCOMPARE(w->btnBind->y(), r.y() + 40);
    QCOMPARE(w->cbSatelliteType->y(), r.y() + 40);
    w->cbReceiverType->setCurrentIndex(0);
    QTest::qWait(40);
    w->cbReceiverType->setCurrentIndex(satellite);
    QTest::qWait(40);
    w->cbReceiverType->setCurrentIndex(0);
    QTRY_VERIFY(w->btnBind->isHidden());
    QTest::qWait(300);
    QVERIFY(w->btnBind->isHidden());
    QVERIFY(w->cbSatelliteType->isHidden());
}

void tst_MainWidget::advancedPages()
{
    Ui_MainWidget* w = m_window;
    auto text = [this](int id) { return m_strings->getValue(id); };

    w->btnCyclicAdvance->click();
    QCOMPARE(w->stackedCyclic->currentIndex(), 1);
    QCOMPARE(w->btnCyclicAdvance->toolTip(), text(14));
    w->btnCyclicAdvance->click();
    QCOMPARE(w->stackedCyclic->currentIndex(), 0);
    QCOMPARE(w->btnCyclicAdvance->toolTip(), text(13));

    w->btnCyclicGainAdvanceButton->click();
    QCOMPARE(w->stackedCyclic->currentIndex(), 2);
    QVERIFY(w->btnCyclicAdvance->isChecked());
    QCOMPARE(w->btnCyclicAdvance->toolTip(), text(14));
    w->btnCyclicAdvance->click(); // back from the gain page to the basic one
    QCOMPARE(w->stackedCyclic->currentIndex(), 0);
    QVERIFY(!w->btnCyclicAdvance->isChecked());

    w->btnTailAdvance->click();
    QCOMPARE(w->stackedTail->currentIndex(), 1);
    w->btnTailGainAdvanceButton->click();
    QCOMPARE(w->stackedTail->currentIndex(), 2);
    QVERIFY(w->btnTailAdvance->isChecked());
    w->btnTailAdvance->click();
    QCOMPARE(w->stackedTail->currentIndex(), 0);

    const QList<QPair<QPushButton*, QStackedWidget*>> pairs = {
            {w->btnSwashAdvance, w->stackedSwash},
            {w->btnServosAdvance, w->stackedServos},
            {w->btnCollectiveAdvance, w->stackedCollective}};
    for (const auto& pair : pairs) {
        pair.first->click();
        QCOMPARE(pair.second->currentIndex(), 1);
        pair.first->click();
        QCOMPARE(pair.second->currentIndex(), 0);
    }

    // Any other sender of "clicked" leaves every page alone.
    connect(w->btnSetCenter, SIGNAL(clicked(bool)), w,
            SLOT(btnChangeAdvanceNormalMode_clicked(bool)));
    w->btnSetCenter->click();
    disconnect(w->btnSetCenter, SIGNAL(clicked(bool)), w,
               SLOT(btnChangeAdvanceNormalMode_clicked(bool)));
    for (const auto& pair : pairs)
        QCOMPARE(pair.second->currentIndex(), 0);

    // The controller's set-up leaves every arrow unchecked and every stack on page 0.
    w->btnSwashAdvance->click();
    w->setToolTipForWidgets();
    QVERIFY(!w->btnSwashAdvance->isChecked());
    QCOMPARE(w->btnSwashAdvance->toolTip(), text(13));
    QCOMPARE(w->stackedSwash->currentIndex(), 0);
    QTest::qWait(250);
}

void tst_MainWidget::advancedPageSlideEndsAtRest()
{
    Ui_MainWidget* w = m_window;
    const int y = w->stackedCollective->y();
    w->animationWhenShowAdvance(w->stackedCollective, true);
    QTest::qWait(20);
    QVERIFY(w->stackedCollective->x() > 30);
    QTRY_COMPARE(w->stackedCollective->pos(), QPoint(30, y));
    w->animationWhenShowAdvance(w->stackedCollective, false);
    QTest::qWait(20);
    QVERIFY(w->stackedCollective->x() < 30);
    // A second slide before the first is over still comes to rest at the same place.
    w->animationWhenShowAdvance(w->stackedCollective, true);
    QTRY_COMPARE(w->stackedCollective->pos(), QPoint(30, y));
    w->animationWhenShowAdvance(nullptr, true);
}

void tst_MainWidget::tabChangeSlideReturnsFrame()
{
    Ui_MainWidget* w = m_window;
    w->mainTab->setCurrentIndex(2);
    QTest::qWait(250);
    const QPoint rest = w->frameSensor->pos();
    w->animationWhenTabChange(2);
    QTest::qWait(30);
    QVERIFY(w->frameSensor->x() > rest.x());
    // The user comes back to the tab before the slide has ended.
    w->animationWhenTabChange(2);
    QTRY_COMPARE(w->frameSensor->pos(), rest);
    QTest::qWait(250);
    QCOMPARE(w->frameSensor->pos(), rest);

    for (int index : {9, 10, 11, 12, -1}) {
        const QPoint bank = w->frame_2->pos();
        w->animationWhenTabChange(index);
        QTest::qWait(30);
        QCOMPARE(w->frame_2->pos(), bank);
    }
    w->mainTab->setCurrentIndex(0);
}

void tst_MainWidget::logModeButtons()
{
    Ui_MainWidget* w = m_window;
    QVERIFY(!w->btnEvent->isEnabled());
    w->btnChart->click();
    QCOMPARE(w->logStackedWidget->currentIndex(), 1);
    QVERIFY(!w->btnChart->isEnabled());
    QVERIFY(w->btnEvent->isEnabled());
    w->btnEvent->click();
    QCOMPARE(w->logStackedWidget->currentIndex(), 0);
    QVERIFY(!w->btnEvent->isEnabled());
    QVERIFY(w->btnChart->isEnabled());
}

void tst_MainWidget::inputAlertUnderEdit()
{
    Ui_MainWidget* w = m_window;
    w->mainTab->setCurrentIndex(0);
    emit w->rescuePitEdit->textEdited(QStringLiteral("6"));
    const QPoint expected =
            w->rescuePitEdit->mapTo(w, QPoint(-120, w->rescuePitEdit->height() + 2));
    QCOMPARE(w->lineEditAlert->pos(), expected);
    QVERIFY(!w->lineEditAlert->isHidden());
    w->hideLineEditAlert();
    QTRY_VERIFY(w->lineEditAlert->isHidden());

    // Another edit moves the bubble under that edit.
    w->mainTab->setCurrentIndex(8);
    w->cbGovernorMode->setCurrentIndex(1);
    emit w->editRPM2->textEdited(QStringLiteral("31"));
    QCOMPARE(w->lineEditAlert->pos(),
             w->editRPM2->mapTo(w, QPoint(-120, w->editRPM2->height() + 2)));
    w->hideLineEditAlert();
    w->cbGovernorMode->setCurrentIndex(0);
    w->mainTab->setCurrentIndex(0);
    QTRY_VERIFY(w->lineEditAlert->isHidden());
}

void tst_MainWidget::servoDirectionToolTips()
{
    Ui_MainWidget* w = m_window;
    auto text = [this](int id) { return m_strings->getValue(id); };
    const bool before = w->btnServoCh2->isChecked();
    w->btnServoCh2->setChecked(!before);
    QCOMPARE(w->btnServoCh2->toolTip(), text(before ? 150 : 151));
    w->btnServoCh2->setChecked(before);
    QCOMPARE(w->btnServoCh2->toolTip(), text(before ? 151 : 150));
    // The tail servo keeps the tooltip it was given at set-up.
    const QString tail = w->btnTailServo->toolTip();
    w->btnTailServo->toggle();
    QCOMPARE(w->btnTailServo->toolTip(), tail);
    w->btnTailServo->toggle();
}

void tst_MainWidget::portStatusPicture()
{
    m_window->updateLabelPortStatus(true);
    QCOMPARE(m_window->lbPortStatus->styleSheet(),
             QString("QLabel { border-image:url(images/connected.png); }"));
    m_window->updateLabelPortStatus(false);
    QCOMPARE(m_window->lbPortStatus->styleSheet(),
             QString("QLabel { border-image:url(images/disconnected.png); }"));
}

void tst_MainWidget::progressDialog()
{
    ProgressDialog* dialog = m_window->progressDialog;
    QVERIFY(dialog->isHidden());
    m_window->showProgressDialog(ProgressDialog::Progress, QStringLiteral("Writing"));
    QVERIFY(!dialog->isHidden());
    QCOMPARE(dialog->content(), QString("Writing"));
    QCOMPARE(dialog->state(), 1);
    m_window->updateLabelFlashStatus(QStringLiteral("Flashing"));
    QCOMPARE(dialog->content(), QString("Flashing"));
    QVERIFY(QMetaObject::invokeMethod(m_window, "showProgressDialog"));
    QCOMPARE(dialog->state(), 0);
    QCOMPARE(dialog->content(), QString());
    m_window->hideProgressDialog();
    QVERIFY(dialog->isHidden());
}

void tst_MainWidget::loadedParamsQuestion()
{
    QFrame* frame = m_window->frameWriteLoadedParams;
    m_window->animationWhenLoadFirmwareParams(false); // already hidden: nothing
    QVERIFY(frame->isHidden());
    m_window->animationWhenLoadFirmwareParams(true);
    QVERIFY(!frame->isHidden());
    m_window->animationWhenLoadFirmwareParams(false);
    QTRY_VERIFY(frame->isHidden());
    QVERIFY(m_window->checkGyroOff->isHidden());
}

void tst_MainWidget::escapeClearsFocus()
{
    Ui_MainWidget* w = m_window;
    w->mainTab->setCurrentIndex(0);
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));

    // Nothing has the focus: Escape must simply do nothing.
    if (QWidget* focus = QApplication::focusWidget())
        focus->clearFocus();
    QVERIFY(!QApplication::focusWidget());
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!QApplication::focusWidget());

    // Typing in an edit: Escape (which the edit passes on) ends the editing.
    w->rescuePitEdit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->rescuePitEdit));
    QTest::keyClick(w->rescuePitEdit, Qt::Key_Escape);
    QVERIFY(!w->rescuePitEdit->hasFocus());
    QVERIFY(!QApplication::focusWidget());

    // Other keys leave the focus where it is.
    w->lowBecEdit->setFocus();
    QTRY_VERIFY(w->lowBecEdit->hasFocus());
    QTest::keyClick(w, Qt::Key_F5);
    QVERIFY(w->lowBecEdit->hasFocus());
    w->lowBecEdit->clearFocus();
}

QTEST_MAIN(tst_MainWidget)
#include "tst_mainwidget.moc"
