#include "mainwidget.h"

#include "languagelist.h"
#include "lazychartpage.h"

#include <advanceservosview.h>
#include <buttongroup.h>
#include <doubledirectslider.h>
#include <flystyleview.h>
#include <lineeditalert.h>
#include <resourcemanager.h>
#include <rxmonitorview.h>
#include <swashtrimcollective.h>
#include <swashtrimcyclic.h>

#include <QApplication>
#include <QDoubleValidator>
#include <QFont>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLocale>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QStandardItemModel>
#include <QStyle>
#include <QTimer>
#include <QVarLengthArray>
#include <QWebFrame>
#include <QWebPage>

#include <algorithm>
#include <iterator>

namespace {

const int AnimationMs = 200;

const char* const CheckedImage = "images/checked.png";

// The governor's RPM step in use is marked by this property of its edit.
const char* const RpmMarkProperty = "rpmMarked";
const char RpmMarkSheet[] = "QLineEdit[rpmMarked=\"true\"] { background-color: rgb(255, 255, 0); "
                            "color: rgb(21, 26, 32); }";

// The skin names its own typefaces; where they are not installed, Qt should fall back
// to a clean sans-serif rather than to whatever the platform's default happens to be.
void installFontFallbacks()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    const QStringList sans = {QStringLiteral("Segoe UI"),        QStringLiteral("Noto Sans"),
                              QStringLiteral("Ubuntu"),          QStringLiteral("DejaVu Sans"),
                              QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    QFont::insertSubstitutions(QStringLiteral("UTM Banque"), sans);
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"), sans.mid(1));
}

// The form keeps the style sheets of the window, the tab widget and each tab's panel in
// this property rather than in "styleSheet". Qt restyles a widget's whole subtree each
// time it moves under a styled widget, and the form builds every tab page, and every
// page of the stacks inside them, on its own before adding it: with the sheets in place,
// each page was styled as it was added, and styled again when the window first showed.
// Set once the form stands, parents first, each sheet is matched against each widget
// once.
const char* const DeferredStyleSheetProperty = "deferredStyleSheet";

void applyDeferredStyleSheets(QWidget* root)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : qAsConst(widgets)) {
        const QVariant sheet = widget->property(DeferredStyleSheetProperty);
        if (!sheet.isValid())
            continue;
        widget->setProperty(DeferredStyleSheetProperty, QVariant());
        widget->setStyleSheet(sheet.toString() + widget->styleSheet());
    }
}

// Every edit of the form holds a number. Shaping digits with HarfBuzz gives the same
// glyphs as a plain character map lookup but is a third of what an edit costs to take a new
// value, and the unit's answers set them dozens of times a second. Set before the sheets,
// so that the sheets' fonts are resolved on top of it.
void skipShapingInEdits(QWidget* root)
{
    const QList<QLineEdit*> edits = root->findChildren<QLineEdit*>();
    for (QLineEdit* edit : edits) {
        QFont font = edit->font();
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
        edit->setFont(font);
    }
}

void setIntValidator(QLineEdit* edit, int bottom, int top)
{
    edit->setValidator(new QIntValidator(bottom, top, edit));
}

// The adaptors parse typed numbers with the C locale, so the validator must accept
// the same decimal point whatever the user's locale is.
void setDoubleValidator(QLineEdit* edit, double bottom, double top, int decimals)
{
    auto* validator = new QDoubleValidator(bottom, top, decimals, edit);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    edit->setValidator(validator);
}

void fillCombo(QComboBox* combo, const QList<QPair<QString, QVariant>>& items)
{
    for (const auto& item : items)
        combo->addItem(item.first, item.second);
}

QString stickOffset(qint32 value)
{
    if (value < 920 || value > 2120)
        return QStringLiteral("\u221e");
    return QString::number(value - 1520);
}

} // namespace

Ui_MainWidget::Ui_MainWidget()
    : CustomFrame(nullptr)
{
    installFontFallbacks();
    resourceManager = ResourceManager::instance(QString());
    setupUi(this);

    setWindowSize(1000, 600);
    setWindowTitleSize(1000, 40);
    CustomFrame::setWindowTitle(QStringLiteral("VORA Flybarless Configuration v2.6b"));
    setBackgroundImage(QStringLiteral("images/background.png"));

    lineEditAlert = new LineEditAlert(this);
    lineEditAlert->setText(text(1));
    lineEditAlert->setFixedSize(170, 45);
    lineEditAlert->hide();
    progressDialog = new ProgressDialog(this);
    progressDialog->hide();

    frameWriteLoadedParams->hide();
    checkGyroOff->hide();
    for (const LanguageList::Language& language : LanguageList::all()) {
        if (language.inWindowBox)
            cbLanguage->addItem(language.name, language.code);
    }
    cbLanguage->hide();

    heliSizeGroup = new QButtonGroup(this);
    flyStyleView = new FlyStyleView(frameStart);
    rxViewLeft = new RxMonitorView(190, 190, 18, 18, frameRx);
    rxViewLeft->setObjectName(QStringLiteral("rxViewLeft"));
    rxViewRight = new RxMonitorView(190, 190, 18, 18, frameRx);
    rxViewRight->setObjectName(QStringLiteral("rxViewRight"));
    sensorDirectionGroup = new ButtonGroup(QString::fromLatin1(CheckedImage), frameSensor);
    swashTypeGroup = new ButtonGroup(QString::fromLatin1(CheckedImage), page_swash_first);
    rotateDirectionGroup = new ButtonGroup(QString::fromLatin1(CheckedImage), frameSwash);
    swashView = new AdvanceServosView(btnSwashView->width(), btnSwashView->height(), page_2, 5.0);
    servosView =
            new AdvanceServosView(btnServosView->width(), btnServosView->height(), page_6, 5.0);
    servoSlider1 = new DoubleDirectSlider(page_servos_first);
    servoSlider2 = new DoubleDirectSlider(page_servos_first);
    servoSlider3 = new DoubleDirectSlider(page_servos_first);
    servoSlider4 = new DoubleDirectSlider(page_servos_first);
    swashTrimCyclic = new SwashTrimCyclic(page_6);
    collectiveDirectionGroup =
            new ButtonGroup(QString::fromLatin1(CheckedImage), page_collective_first);
    swashTrimCollective = new SwashTrimCollective(page_8);
    tailServoTypeGroup = new QButtonGroup(this);
    tailServoSlider = new DoubleDirectSlider(page_tail_first);

    lbWriteLoadedParams->setText(text(7));

    // On the panel, not on each edit: an edit's own sheet is parsed again at each
    // re-polish. With the panel's own sheet, so that marking a step costs only a re-polish.
    frameGovernor->setProperty(DeferredStyleSheetProperty,
                               frameGovernor->property(DeferredStyleSheetProperty).toString() +
                                       QLatin1Char('\n') + QString::fromLatin1(RpmMarkSheet));

    // Nothing is shown before the splash goes, so the look is finished once the program
    // is up and running rather than on its way there.
    QTimer::singleShot(0, this, &Ui_MainWidget::finishLook);
}

Ui_MainWidget::~Ui_MainWidget() = default;

void Ui_MainWidget::setVisible(bool visible)
{
    if (visible && !m_lookFinished) {
        // Shown before the event loop ran: serve first, as the loop would, the polish
        // requests every widget posted when it was made. Set over widgets the form has
        // already shown but whose requests were still waiting, the sheets' fonts and
        // colours did not reach the help pages.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::PolishRequest);
        finishLook();
    }
    CustomFrame::setVisible(visible);
}

void Ui_MainWidget::finishLook()
{
    if (m_lookFinished)
        return;
    m_lookFinished = true;
    skipShapingInEdits(this);
    applyDeferredStyleSheets(this);
    // Marking an RPM step re-polishes its edit, which first puts back the font the edit had
    // before the sheets, then the sheets' font again: two font changes, each laying out the
    // text anew. With the sheets' font made the edits' own, both are no change.
    for (QLineEdit* edit : {editRPM1, editRPM2, editRPM3}) {
        edit->ensurePolished();
        edit->setFont(edit->font());
    }
    loadHelpPages();
}

QString Ui_MainWidget::text(int id) const
{
    return resourceManager ? resourceManager->getValue(id) : QString();
}

void Ui_MainWidget::registerUiConnections()
{
    const QList<QPushButton*> arrows = {btnSwashAdvance, btnServosAdvance, btnCollectiveAdvance,
                                        btnCyclicAdvance, btnTailAdvance};
    for (QPushButton* arrow : arrows) {
        connect(arrow, "2clicked(bool)", this, "1btnChangeAdvanceNormalMode_clicked(bool)");
        connect(arrow, "2toggled(bool)", this, "1btnChangeAdvanceNormalMode_toggled(bool)");
    }
    connect(btnCyclicGainAdvanceButton, "2clicked(bool)", this, "1btnCyclicGainAdvance_clicked()");
    connect(btnTailGainAdvanceButton, "2clicked(bool)", this,
            "1btnTailGainAdvanceButton_clicked()");
    connect(swashTrimCyclic, "2_monitorChannelValueChanged(int,int)", swashTrimCollective,
            "1setTrimMonitorValue(int,int)");
    connect(checkCyclicRing, "2toggled(bool)", editCyclicRing, "1setEnabled(bool)");
    connect(checkPitchpump, "2toggled(bool)", editPitchpump, "1setEnabled(bool)");
    connect(rxViewLeft, "2_sensorValueChanged(qint32, qint32)", this,
            "1rxView_sensor_value_changed(qint32, qint32)");
    connect(rxViewRight, "2_sensorValueChanged(qint32, qint32)", this,
            "1rxView_sensor_value_changed(qint32, qint32)");
    connect(swashView, "2_angleChanged(QList<int>)", this, "1swashView_angle_changed(QList<int>)");
    // The servos tab shows the same phasing as the swash tab, whichever changed it.
    QObject::connect(swashView, &AdvanceServosView::_angleChanged, servosView,
                     [this]() { servosView->setAngle(swashView->angle()); });
    connect(btnEvent, "2clicked(bool)", this, "1btnChangeEventAndChartMode_clicked(bool)");
    connect(btnChart, "2clicked(bool)", this, "1btnChangeEventAndChartMode_clicked(bool)");
}

void Ui_MainWidget::intializeWidgetProperties()
{
    const QList<QRadioButton*> heliSizes = {btnHeliSize1, btnHeliSize2, btnHeliSize3, btnHeliSize4,
                                            btnHeliSize5, btnHeliSize6, btnHeliSize7};
    heliSizeGroup->setExclusive(true);
    for (int i = 0; i < heliSizes.size(); ++i)
        heliSizeGroup->addButton(heliSizes.at(i), i + 1);
    btnHeliSize1->setChecked(true);

    setDoubleValidator(lowBecEdit, 3.5, 10.0, 1);
    setIntValidator(rescuePitEdit, 0, 100);

    flyStyleView->move(btnFlyStyle->pos());

    fillCombo(cbTxMode, {{QStringLiteral("Mode 1"), 1},
                         {QStringLiteral("Mode 2"), 2},
                         {QStringLiteral("Mode 3"), 3},
                         {QStringLiteral("Mode 4"), 4}});
    // The satellite entry is last but carries 0: code must select by data, not by index.
    fillCombo(cbReceiverType, {{QStringLiteral("Traditional Receiver"), 1},
                               {QStringLiteral("PPM"), 3},
                               {QStringLiteral("S-Bus"), 2},
                               {QStringLiteral("SRXL/SUMD/IBUS/Xbus-B"), 6},
                               {QStringLiteral("ExBus/VoraBus"), 7},
                               {QStringLiteral("DSM2/DSMX Satellite"), 0}});
    fillCombo(cbSatelliteType, {{QStringLiteral("DSM2"), 4}, {QStringLiteral("DSMX"), 5}});
    cbSatelliteType->hide();
    fillCombo(cbBankconfigCH, {{QStringLiteral("Bank1"), 0},
                               {QStringLiteral("Bank2"), 1},
                               {QStringLiteral("Bank3"), 2}});

    lbMonitorHeader_4->hide();
    checkCyclicRing->hide();
    editCyclicRing->hide();

    fillCombo(rpmType, {{QStringLiteral(" "), 0},
                        {QStringLiteral("RPM1"), 1},
                        {QStringLiteral("RPM2"), 2},
                        {QStringLiteral("RPM3"), 3}});
    rpmType->hide();

    btnOpen->show();
    btnSave->show();

    fillCombo(rescueMode, {{QStringLiteral("OFF"), 0}, {QStringLiteral("ON"), 1}});
    rescueMode->setCurrentIndex(0);

    btnBind->hide();

    const QList<QPair<RxMonitorView*, QToolButton*>> monitors = {{rxViewLeft, btnRxLeft},
                                                                 {rxViewRight, btnRxRight}};
    for (const auto& monitor : monitors) {
        monitor.first->move(monitor.second->pos());
        monitor.first->setRangeValue(920, 2120);
    }
    rxViewLeft->setLocation(-5);
    rxViewRight->setLocation(5);

    const QList<QToolButton*> sensorButtons = {
            btnSensorDirection1, btnSensorDirection2, btnSensorDirection3, btnSensorDirection4,
            btnSensorDirection5, btnSensorDirection6, btnSensorDirection7, btnSensorDirection8};
    sensorDirectionGroup->setExclusive(true);
    for (int i = 0; i < sensorButtons.size(); ++i)
        sensorDirectionGroup->addButton(sensorButtons.at(i), i + 1);
    btnSensorDirection1->setChecked(true);
    sensorDirectionGroup->setLastButtonChecked(btnSensorDirection1);

    const QList<QToolButton*> swashButtons = {btnSwashplate1, btnSwashplate2, btnSwashplate3,
                                              btnSwashplate4, btnSwashplate5};
    swashTypeGroup->setExclusive(true);
    for (int i = 0; i < swashButtons.size(); ++i)
        swashTypeGroup->addButton(swashButtons.at(i), i + 1);
    btnSwashplate1->setChecked(true);
    swashTypeGroup->setLastButtonChecked(btnSwashplate1);

    rotateDirectionGroup->setExclusive(true);
    rotateDirectionGroup->addButton(btnRotateDirection1, 1);
    rotateDirectionGroup->addButton(btnRotateDirection2, 2);
    btnRotateDirection1->setChecked(true);
    rotateDirectionGroup->setLastButtonChecked(btnRotateDirection1);

    swashView->move(btnSwashView->pos());
    swashView->setAngle(0);

    for (DoubleDirectSlider* slider : {servoSlider1, servoSlider2, servoSlider3, servoSlider4})
        slider->setSliderRange(-100, 100);
    // Checking the first swash type above does not toggle anything when the form has
    // already checked it, so the servo page is laid out for that type here.
    updateWidgetsPositionOnTabServos(swashTypeGroup->checkedId());

    fillCombo(cbDigtalAnalogServos, {{QStringLiteral("Digital 333Hz/1520us"), 1},
                                     {QStringLiteral("Digital 200Hz/1520us"), 2}});

    servosView->move(btnServosView->pos());
    swashTrimCyclic->setGeometry(btnTrimSwashCyclic->geometry());
    swashTrimCyclic->setTrimRange(-100, 100);
    swashTrimCyclic->setMonitorRange(1120, 1920);

    setIntValidator(editCyclicRing, 0, 100);

    collectiveDirectionGroup->setExclusive(true);
    collectiveDirectionGroup->addButton(btnCollectiveDirection1, 1);
    collectiveDirectionGroup->addButton(btnCollectiveDirection2, 2);
    btnCollectiveDirection1->setChecked(true);
    collectiveDirectionGroup->setLastButtonChecked(btnCollectiveDirection1);

    setIntValidator(editCollectiveTravel, 0, 100);
    setIntValidator(editCollectiveTravel_2, 0, 100);

    swashTrimCollective->setGeometry(btnTrimSwashCollective->geometry());
    swashTrimCollective->setTrimRange(-100, 100);
    swashTrimCollective->setMonitorRange(1120, 1920);

    setIntValidator(editPitchpump, 0, 100);
    setIntValidator(editCyclicLimit, 50, 150);
    setIntValidator(editCyclicResponse, 50, 150);
    // Same range as the slider beside it, so every gain the slider offers can be typed.
    setIntValidator(editCyclicGain, 30, 100);
    setIntValidator(editCyclicRoll, 150, 500);
    setIntValidator(editCyclicFlip, 150, 500);
    setIntValidator(editRcDeadband, 0, 25);
    setIntValidator(editElevatorPrecom, 0, 100);
    setIntValidator(editPddleSimulate, 0, 100);
    setIntValidator(editCyclicExpo, 0, 100);
    setIntValidator(elevatorGainedit, 20, 100);
    setIntValidator(aileronGainEdit, 20, 100);
    setIntValidator(pGainEdit, 20, 100);
    setIntValidator(iGainEdit, 0, 100);
    setIntValidator(dGainEdit, 20, 100);
    setIntValidator(pGainTailEdit, 0, 100);
    setIntValidator(iGainTailEdit, 0, 100);
    setIntValidator(dGainTailEdit, 0, 100);

    tailServoTypeGroup->setExclusive(true);
    tailServoTypeGroup->addButton(radioTail1, 1);
    tailServoTypeGroup->addButton(radioTail2, 2);
    tailServoTypeGroup->addButton(radioTail3, 3);

    tailServoSlider->setSliderRange(-100, 100);
    tailServoSlider->move(btnTailServo->x() + btnTailServo->width(), btnTailServo->y() - 20);

    setIntValidator(editTailTravel1, 50, 150);
    setIntValidator(editTailTravel2, 50, 150);
    setIntValidator(editTailYaw, 300, 700);
    setIntValidator(editTailGain, 0, 150);
    for (QLineEdit* edit : {editTailAccelerate, editTailStopGain, editTailZeroCol, editTailExpo,
                            editTailCollective, editTailCyclic})
        setIntValidator(edit, 0, 100);

    fillCombo(cbGovernorMode, {{QStringLiteral("Disabled"), 0},
                               {QStringLiteral("Electric"), 1},
                               {QStringLiteral("Nitro/Gas"), 2}});
    cbGovernorMode->setCurrentIndex(0);
    fillCombo(cbGasServosType,
              {{QStringLiteral("Digital 333Hz/1520us"), 1}, {QStringLiteral("760us Servo"), 2}});
    cbGasServosType->hide();
    checkThrottleServosReverse->hide();

    setIntValidator(editGovernorMotorOff, -150, -50);
    setIntValidator(editGovernorMaxThrottle, 50, 150);
    setIntValidator(editGovernorStartThrottle, 0, 30);
    setIntValidator(editGovernorScrollUp, 1, 5);

    for (int gain = 1; gain <= 10; ++gain)
        cbGain->addItem(gain == 5 ? QStringLiteral("5(*)") : QString::number(gain), gain);
    cbGain->hide();

    btnSaveProfileAs->hide();
    label->hide();
    fillCombo(cbProfile, {{QStringLiteral("Bank 1"), 1},
                          {QStringLiteral("Bank 2"), 2},
                          {QStringLiteral("Bank 3"), 3}});
    cbProfile->hide();

    for (QLineEdit* edit : {bank1_agi_edit, bank2_agi_edit, bank3_agi_edit})
        setIntValidator(edit, 50, 150);
    for (QLineEdit* edit : {bank1_gain_edit, bank2_gain_edit, bank3_gain_edit})
        setIntValidator(edit, 30, 100);
    for (QLineEdit* edit :
         {bank1_rpm_edit, bank2_rpm_edit, bank3_rpm_edit, editRPM1, editRPM2, editRPM3})
        setIntValidator(edit, 1000, 9990);

    setDoubleValidator(editGearRatio, 0.0, 99.99, 2);
    setIntValidator(editSensorConfig, 0, 100);

    setIntValidator(gpsGainEdit, 20, 100);
    setIntValidator(altiGainEdit, 20, 100);
    setIntValidator(minRTHAttitudeEditor, 0, 3000);
    setIntValidator(rthSpeedEdit, 10, 1000);
    setIntValidator(rthSpeedUpDownEdit, 10, 400);

    eventModel = new QStandardItemModel(this);
    eventModel->setHorizontalHeaderLabels({QStringLiteral("Event Time(s)"),
                                           QStringLiteral("Event Code"),
                                           QStringLiteral("Event Type")});
    eventTableView->setModel(eventModel);
    eventTableView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    chartPage = new LazyChartPage(
            chartView, [this] { loadChartPage(); }, this);
}

void Ui_MainWidget::loadHelpPages()
{
    const QList<QPair<QTextBrowser*, const char*>> pages = {
            {txtBrowserStart, "docs/en/start.htm"},
            {txtBrowserRx, "docs/en/rx.htm"},
            {txtBrowserSensor, "docs/en/sensor.htm"},
            {txtBrowserSwash, "docs/en/swash.htm"},
            {txtBrowserServos, "docs/en/servos.htm"},
            {txtBrowserCollective, "docs/en/collective.htm"},
            {txtBrowserCyclic, "docs/en/cyclic.htm"},
            {txtBrowserTail, "docs/en/tail.htm"},
            {txtBrowserGov, "docs/en/governor.htm"},
            {txtBrowserBank, "docs/en/bank.htm"},
            {txtBrowserGPS, "docs/en/gps.htm"}};
    for (const auto& page : pages)
        page.first->setHtml(qLoadHtmlString(QString::fromLatin1(page.second)));
}

void Ui_MainWidget::loadChartPage()
{
    chartView->setHtml(qLoadHtmlString(QStringLiteral("charts/chart.html")), QUrl());
    QWebFrame* frame = chartView->page()->mainFrame();
    frame->evaluateJavaScript(qLoadHtmlString(QStringLiteral("charts/jquery-3.1.1.min.js")));
    frame->evaluateJavaScript(qLoadHtmlString(QStringLiteral("charts/highstock.js")));
}

void Ui_MainWidget::setToolTipForWidgets()
{
    checkGyroOff->setToolTip(text(2000));
    cbProfile->setToolTip(text(2001));
    btnOpen->setToolTip(text(2002));
    btnSave->setToolTip(text(2003));
    btnFirmware->setToolTip(text(2004));
    btnSaveProfileAs->setToolTip(text(2006));
    btnBind->setToolTip(text(2200));
    btnSetCenter->setToolTip(text(2201));
    cbTxMode->setToolTip(text(2202));

    const QList<QToolButton*> sensorButtons = {
            btnSensorDirection1, btnSensorDirection2, btnSensorDirection3, btnSensorDirection4,
            btnSensorDirection5, btnSensorDirection6, btnSensorDirection7, btnSensorDirection8};
    for (int i = 0; i < sensorButtons.size(); ++i)
        sensorButtons.at(i)->setToolTip(text(130 + i));
    const QList<QToolButton*> swashButtons = {btnSwashplate1, btnSwashplate2, btnSwashplate3,
                                              btnSwashplate4, btnSwashplate5};
    for (int i = 0; i < swashButtons.size(); ++i)
        swashButtons.at(i)->setToolTip(text(140 + i));
    btnRotateDirection1->setToolTip(text(146));
    btnRotateDirection2->setToolTip(text(147));
    editCyclicRing->setToolTip(text(2400));

    for (QToolButton* servo : {btnServoCh1, btnServoCh2, btnServoCh3, btnServoCh4})
        servo->setToolTip(text(servo->isChecked() ? 151 : 150));
    for (DoubleDirectSlider* slider : {servoSlider1, servoSlider2, servoSlider3, servoSlider4})
        slider->setToolTip(text(2500));
    swashTrimCyclic->setToolTipForClearButton(text(2501));
    swashTrimCollective->setToolTip(text(2501));

    btnCollectiveDirection1->setToolTip(text(160));
    btnCollectiveDirection2->setToolTip(text(161));
    sliderCollectiveTravel->setToolTip(text(2600));
    editCollectiveTravel->setToolTip(text(2600));
    editPitchpump->setToolTip(text(2601));

    const QList<QPair<QWidget*, int>> pairs = {
            {sliderCyclicLimit, 2700},     {editCyclicLimit, 2700},  {sliderCyclicReponse, 2701},
            {editCyclicResponse, 2701},    {sliderCyclicGain, 2702}, {editCyclicGain, 2702},
            {sliderCyclicRoll, 2703},      {editCyclicRoll, 2703},   {sliderCyclicFlip, 2704},
            {editCyclicFlip, 2704},        {editRcDeadband, 2705},   {editElevatorPrecom, 2706},
            {editPddleSimulate, 2707},     {editCyclicExpo, 2708},   {btnCyclicDefault, 170},
            {btnCyclicDefaultAdvance, 170}};
    for (const auto& pair : pairs)
        pair.first->setToolTip(text(pair.second));

    btnTailServo->setToolTip(text(btnTailServo->isChecked() ? 181 : 180));
    tailServoSlider->setToolTip(text(2800));
    for (QWidget* widget :
         {static_cast<QWidget*>(sliderTailTravel1), static_cast<QWidget*>(sliderTailTravel2),
          static_cast<QWidget*>(editTailTravel1), static_cast<QWidget*>(editTailTravel2)})
        widget->setToolTip(text(2801));
    sliderTailYaw->setToolTip(text(2802));
    editTailYaw->setToolTip(text(2802));
    sliderTailGain->setToolTip(text(2803));
    editTailGain->setToolTip(text(2803));
    aileronGainSlider->setToolTip(text(2907));
    aileronGainEdit->setToolTip(text(2907));
    elevatorGainSlider->setToolTip(text(2908));
    elevatorGainedit->setToolTip(text(2908));
    const QList<QLineEdit*> tailEdits = {editTailAccelerate, editTailStopGain, editTailExpo,
                                         editTailCollective, editTailCyclic,   editTailZeroCol};
    for (int i = 0; i < tailEdits.size(); ++i)
        tailEdits.at(i)->setToolTip(text(2804 + i));
    btnTailDefault->setToolTip(text(183));

    sliderGovernorMotorOff->setToolTip(text(2900));
    editGovernorMotorOff->setToolTip(text(2900));
    sliderGovernoMaxThrottle->setToolTip(text(2901));
    editGovernorMaxThrottle->setToolTip(text(2901));
    sliderGovernorStartThrottle->setToolTip(text(2905));
    editGovernorStartThrottle->setToolTip(text(2905));
    sliderGovernorScrollUp->setToolTip(text(2906));
    editGovernorScrollUp->setToolTip(text(2906));
    editRPM1->setToolTip(text(2921));
    editRPM2->setToolTip(text(2922));
    editRPM3->setToolTip(text(2923));
    editGearRatio->setToolTip(text(2903));
    editSensorConfig->setToolTip(text(2904));

    for (QPushButton* arrow : {btnSwashAdvance, btnServosAdvance, btnCollectiveAdvance,
                               btnCyclicAdvance, btnTailAdvance})
        arrow->setToolTip(text(arrow->isChecked() ? 14 : 13));

    btnSwashAdvance->setChecked(false);
    btnServosAdvance->setChecked(false);
    for (QStackedWidget* stack : {stackedServos, stackedCollective, stackedCyclic, stackedTail,
                                  stackedSwash, logStackedWidget})
        stack->setCurrentIndex(0);
}

void Ui_MainWidget::hideLineEditAlert()
{
    lineEditAlert->hideMe();
}

void Ui_MainWidget::showProgressDialog(ProgressDialog::Type state, QString content)
{
    progressDialog->show();
    progressDialog->setContent(content);
    progressDialog->changeState(state);
}

void Ui_MainWidget::hideProgressDialog()
{
    progressDialog->hide();
}

void Ui_MainWidget::updateWidgetsPositionOnTabServos(int swashType)
{
    struct Layout
    {
        QPoint channels[4];
        QList<int> angles;
    };
    static const Layout layouts[4] = {
            {{QPoint(10, 40), QPoint(150, 300), QPoint(290, 40), QPoint()}, {300, 180, 60, -1}},
            {{QPoint(10, 300), QPoint(150, 40), QPoint(290, 300), QPoint()}, {240, 0, 120, -1}},
            {{QPoint(10, 300), QPoint(150, 40), QPoint(290, 180), QPoint()}, {225, 0, 90, -1}},
            {{QPoint(10, 180), QPoint(150, 30), QPoint(150, 330), QPoint(310, 180)},
             {270, 0, 90, 180}}};
    if (swashType < 1 || swashType > 4)
        return;
    const Layout& layout = layouts[swashType - 1];
    QToolButton* const buttons[4] = {btnServoCh1, btnServoCh2, btnServoCh3, btnServoCh4};
    DoubleDirectSlider* const sliders[4] = {servoSlider1, servoSlider2, servoSlider3, servoSlider4};
    for (int i = 0; i < 3; ++i)
        updateRelativePositionOnTabServos(layout.channels[i], buttons[i], sliders[i]);
    const bool fourServos = swashType == 4;
    if (fourServos)
        updateRelativePositionOnTabServos(layout.channels[3], btnServoCh4, servoSlider4);
    btnServoCh4->setVisible(fourServos);
    servoSlider4->setVisible(fourServos);
    swashView->resetChannelDefaultAngle(layout.angles);
    servosView->resetChannelDefaultAngle(layout.angles);
    // The view signals only a change; the labels must show the angles in any case.
    swashView_angle_changed(swashView->channelAngles());
}

void Ui_MainWidget::updateRelativePositionOnTabServos(QPoint point, QAbstractButton* button,
                                                      DoubleDirectSlider* sliderServos)
{
    if (!button || !sliderServos)
        return;
    button->move(point);
    sliderServos->move(point.x() + button->width(), point.y() - 20);
}

void Ui_MainWidget::updateLabelPortStatus(bool connected)
{
    lbPortStatus->setStyleSheet(
            connected ? QStringLiteral("QLabel { border-image:url(images/connected.png); }")
                      : QStringLiteral("QLabel { border-image:url(images/disconnected.png); }"));
}

void Ui_MainWidget::updateLabelFlashStatus(QString text)
{
    progressDialog->setContent(text);
}

void Ui_MainWidget::finishAnimation(QObject* target)
{
    const QPointer<QAbstractAnimation> running = m_animations.take(target);
    if (running && running->state() != QAbstractAnimation::Stopped)
        running->setCurrentTime(running->totalDuration());
}

void Ui_MainWidget::startAnimation(QObject* target, QAbstractAnimation* animation)
{
    m_animations.insert(target, animation);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void Ui_MainWidget::animationWhenTabChange(int tabIndex)
{
    QFrame* const frames[] = {frameStart,      frameRx,     frameSensor, frameSwash,   frameServos,
                              frameCollective, frameCyclic, frameTail,   frameGovernor};
    if (tabIndex < 0 || tabIndex > 8)
        return;
    QFrame* frame = frames[tabIndex];
    finishAnimation(frame);
    // Until the window shows, the frame stands where the form put it, not where the layout
    // will: a slide started then would end there, over the help text, after the layout
    // had placed it.
    if (!frame->isVisible())
        return;
    const QPoint rest = frame->pos();
    auto* animation = new QPropertyAnimation(frame, "pos", this);
    animation->setDuration(AnimationMs);
    animation->setKeyValueAt(0.0, rest + QPoint(20, 0));
    animation->setKeyValueAt(0.8, rest - QPoint(5, 0));
    animation->setKeyValueAt(1.0, rest);
    startAnimation(frame, animation);
}

void Ui_MainWidget::animationWhenLoadFirmwareParams(bool isAnimToShow)
{
    finishAnimation(frameWriteLoadedParams);
    const bool shown = !frameWriteLoadedParams->isHidden();
    if (isAnimToShow && !shown) {
        frameWriteLoadedParams->show();
        const QPoint from = frameWriteLoadedParams->pos();
        auto* group = new QSequentialAnimationGroup(this);
        auto* move = new QPropertyAnimation(frameWriteLoadedParams, "pos", group);
        move->setDuration(AnimationMs);
        move->setStartValue(from);
        move->setEndValue(QPoint(from.x(), from.y() - frameWriteLoadedParams->height()));
        group->addAnimation(move);
        startAnimation(frameWriteLoadedParams, group);
    } else if (!isAnimToShow && shown) {
        const QPoint from = frameWriteLoadedParams->pos();
        auto* move = new QPropertyAnimation(frameWriteLoadedParams, "pos", this);
        move->setDuration(AnimationMs);
        move->setStartValue(from);
        move->setEndValue(QPoint(from.x(), height()));
        connect(move, &QAbstractAnimation::finished, this, [this] {
            frameWriteLoadedParams->hide();
            animationShowGyroOff();
        });
        startAnimation(frameWriteLoadedParams, move);
    }
}

void Ui_MainWidget::animationWhenBindRx()
{
    // A half-run slide would leave the button between its two places; end it first so
    // the decision below sees the state the user last asked for.
    finishAnimation(btnBind);
    const int receiverType = cbReceiverType->currentData(Qt::UserRole).toInt();
    const QRect r = cbReceiverType->geometry();
    const QRect b = btnBind->geometry();
    const QRect collapsed(r.x() + r.width() / 2 - 3, r.y() + r.height() + 40, 5, 1);
    const bool shown = !btnBind->isHidden();

    if (receiverType == 0 && !shown) {
        btnBind->show();
        cbSatelliteType->show();
        auto* group = new QParallelAnimationGroup(this);
        auto* move = new QPropertyAnimation(btnBind, "pos", group);
        move->setDuration(AnimationMs);
        move->setStartValue(btnBind->pos());
        move->setEndValue(QPoint(b.x(), r.y() + 40));
        auto* grow = new QPropertyAnimation(cbSatelliteType, "geometry", group);
        grow->setDuration(AnimationMs);
        grow->setStartValue(collapsed);
        grow->setEndValue(QRect(r.x(), r.y() + 40, r.width() - b.width() - 10, r.height()));
        group->addAnimation(move);
        group->addAnimation(grow);
        startAnimation(btnBind, group);
    } else if (receiverType != 0 && shown) {
        auto* group = new QParallelAnimationGroup(this);
        auto* move = new QPropertyAnimation(btnBind, "pos", group);
        move->setDuration(AnimationMs);
        move->setStartValue(btnBind->pos());
        move->setEndValue(QPoint(b.x(), -b.height()));
        auto* shrink = new QPropertyAnimation(cbSatelliteType, "geometry", group);
        shrink->setDuration(AnimationMs);
        shrink->setStartValue(cbSatelliteType->geometry());
        shrink->setEndValue(collapsed);
        group->addAnimation(move);
        group->addAnimation(shrink);
        connect(group, &QAbstractAnimation::finished, this, [this] {
            btnBind->hide();
            cbSatelliteType->hide();
        });
        startAnimation(btnBind, group);
    }
}

void Ui_MainWidget::animationWhenShowAdvance(QStackedWidget* stackedWidget, bool toAdvance)
{
    if (!stackedWidget)
        return;
    finishAnimation(stackedWidget);
    const int y = stackedWidget->y();
    auto* animation = new QPropertyAnimation(stackedWidget, "pos", this);
    animation->setDuration(AnimationMs);
    animation->setKeyValueAt(0.0, QPoint(toAdvance ? 50 : 10, y));
    animation->setKeyValueAt(0.8, QPoint(toAdvance ? 25 : 35, y));
    animation->setKeyValueAt(1.0, QPoint(30, y));
    startAnimation(stackedWidget, animation);
}

void Ui_MainWidget::animationShowGyroOff()
{
    // The gyro-off switch is kept for the settings file only; it is never shown.
    checkGyroOff->hide();
}

void Ui_MainWidget::comboBox_currentIndexChanged(int index)
{
    auto* combo = qobject_cast<QComboBox*>(sender());
    if (!combo)
        return;
    if (combo == cbReceiverType) {
        animationWhenBindRx();
    } else if (combo == cbGovernorMode) {
        // Only what changes is shown or hidden: each change costs a layout and a repaint.
        QVarLengthArray<QPair<QWidget*, bool>, 32> changes;
        const auto setShown = [&changes](QWidget* widget, bool shown) {
            if (widget->isHidden() == shown ||
                !widget->testAttribute(Qt::WA_WState_ExplicitShowHide))
                changes.append(qMakePair(widget, shown));
        };
        const bool enabled = index != 0;
        const bool nitro = index == 2;
        QWidget* const byMode[] = {cbGasServosType, checkThrottleServosReverse,
                                   cbGain,          editSensorConfig,
                                   lbSensorConfig,  checkIdleDuringBailout};
        const QList<QWidget*> children =
                frameGovernor->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (child == cbGovernorMode || child->isWindow())
                continue;
            if (enabled &&
                std::find(std::begin(byMode), std::end(byMode), child) != std::end(byMode))
                continue;
            setShown(child, enabled);
        }
        if (enabled) {
            setShown(cbGasServosType, nitro);
            setShown(checkThrottleServosReverse, nitro);
            setShown(cbGain, true);
            setShown(editSensorConfig, !nitro);
            setShown(lbSensorConfig, !nitro);
            setShown(checkIdleDuringBailout, !nitro);
        }
        if (changes.isEmpty())
            return;
        // Each widget shown or hidden would add its own rectangle to the region to repaint,
        // a region of dozens of rectangles built up one by one; the frame is repainted once
        // instead.
        const bool batched = frameGovernor->updatesEnabled();
        if (batched)
            frameGovernor->setUpdatesEnabled(false);
        for (const auto& change : changes)
            change.first->setVisible(change.second);
        if (batched)
            frameGovernor->setUpdatesEnabled(true);
    } else if (combo == rpmType) {
        // The step in use is marked in yellow (the panel's sheet, keyed on a property);
        // the others keep the skin's look: a plain white background would hide the skin's
        // light text. Only an edit whose mark changes is polished again: a new sheet would
        // parse and match the whole window's sheets for each answer.
        QLineEdit* const edits[3] = {editRPM1, editRPM2, editRPM3};
        for (int i = 0; i < 3; ++i) {
            const bool marked = index == i + 1;
            if (edits[i]->property(RpmMarkProperty).toBool() == marked)
                continue;
            edits[i]->setProperty(RpmMarkProperty, marked);
            edits[i]->style()->polish(edits[i]);
            edits[i]->update();
        }
    }
}

void Ui_MainWidget::btnChangeAdvanceNormalMode_clicked(bool checked)
{
    QObject* arrow = sender();
    QStackedWidget* stack = nullptr;
    if (arrow == btnSwashAdvance)
        stack = stackedSwash;
    else if (arrow == btnServosAdvance)
        stack = stackedServos;
    else if (arrow == btnCollectiveAdvance)
        stack = stackedCollective;
    else if (arrow == btnCyclicAdvance)
        stack = stackedCyclic;
    else if (arrow == btnTailAdvance)
        stack = stackedTail;
    if (!stack)
        return;
    stack->setCurrentIndex(checked ? 1 : 0);
    animationWhenShowAdvance(stack, checked);
}

void Ui_MainWidget::btnChangeAdvanceNormalMode_toggled(bool checked)
{
    if (auto* arrow = qobject_cast<QWidget*>(sender()))
        arrow->setToolTip(text(checked ? 14 : 13));
}

void Ui_MainWidget::buttonGroup_button_toggled(int id, bool checked)
{
    if (sender() == swashTypeGroup && checked)
        updateWidgetsPositionOnTabServos(id);
}

void Ui_MainWidget::servoButtons_toggled(bool checked)
{
    QObject* button = sender();
    if (button == btnServoCh1 || button == btnServoCh2 || button == btnServoCh3 ||
        button == btnServoCh4)
        static_cast<QWidget*>(button)->setToolTip(text(checked ? 151 : 150));
}

void Ui_MainWidget::slider_valueChanged(int value)
{
    QObject* slider = sender();
    QLabel* target = nullptr;
    if (slider == sliderRx1)
        target = lbSlider1_ms;
    else if (slider == sliderRx2)
        target = lbSlider2_ms;
    else if (slider == sliderRx3)
        target = lbSlider3_ms;
    if (target)
        target->setText(QString::number(value) + QStringLiteral(" \u00b5s"));
}

void Ui_MainWidget::lineEdit_textEdited(QString)
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    if (!edit)
        return;
    lineEditAlert->move(edit->mapTo(this, QPoint(-120, edit->height() + 2)));
    lineEditAlert->showMe();
}

void Ui_MainWidget::rxView_sensor_value_changed(qint32 x, qint32 y)
{
    auto* view = qobject_cast<RxMonitorView*>(sender());
    if (!view)
        return;
    QLabel* xLabel = nullptr;
    QLabel* yLabel = nullptr;
    if (view->getLocation() == -5) {
        xLabel = lbRxLeft_x;
        yLabel = lbRxLeft_y;
    } else if (view->getLocation() == 5) {
        xLabel = lbRxRight_x;
        yLabel = lbRxRight_y;
    } else {
        return;
    }
    xLabel->setText(stickOffset(x));
    yLabel->setText(stickOffset(y));
}

void Ui_MainWidget::swashView_angle_changed(QList<int> angles)
{
    QLabel* const labels[4] = {lbAngleCh1, lbAngleCh2, lbAngleCh3, lbAngleCh4};
    for (int i = 0; i < 4 && i < angles.size(); ++i) {
        // A swash type without this channel reports -1: there is no angle to show.
        labels[i]->setText(angles.at(i) < 0 ? QStringLiteral("-") : QString::number(angles.at(i)));
    }
}

void Ui_MainWidget::btnChangeEventAndChartMode_clicked(bool)
{
    if (btnChart->isEnabled()) {
        btnChart->setEnabled(false);
        btnEvent->setEnabled(true);
        logStackedWidget->setCurrentIndex(1);
    } else {
        btnEvent->setEnabled(false);
        btnChart->setEnabled(true);
        logStackedWidget->setCurrentIndex(0);
    }
}

void Ui_MainWidget::btnCyclicGainAdvance_clicked()
{
    btnCyclicAdvance->toggle();
    stackedCyclic->setCurrentIndex(2);
    animationWhenShowAdvance(stackedCyclic, true);
}

void Ui_MainWidget::btnTailGainAdvanceButton_clicked()
{
    stackedTail->setCurrentIndex(2);
    animationWhenShowAdvance(stackedTail, false);
}

void Ui_MainWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return;
    if (QWidget* focus = QApplication::focusWidget())
        focus->clearFocus();
}
