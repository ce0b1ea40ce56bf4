// The model builder on the real main window, without a device: every parameter address is
// bound to the widget and adaptor class of the unit's parameter map, the records start
// from what the widgets show, values pushed for any address show on their widget in its
// display form, and user edits on every kind of widget come out as (address, raw value).

#include "adaptormodel.h"
#include "extraadaptors.h"
#include "mainwidget.h"
#include "modelbuilder.h"
#include "parameter.h"
#include "parametermodel.h"

#include <resourcemanager.h>
#include <vbecsliderwithlineeditadaptor.h>

#include <advanceservosview.h>
#include <buttongroup.h>
#include <doubledirectslider.h>
#include <flystyleview.h>
#include <rxmonitorview.h>
#include <swashtrimcollective.h>
#include <swashtrimcyclic.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <limits>
#include <memory>

namespace {

// The initial value is whatever the widget shows; the map gives no number for it.
constexpr int FromWidget = std::numeric_limits<int>::min();
// A live monitor channel: an adaptor, but no parameter record.
constexpr int NoRecord = std::numeric_limits<int>::min() + 1;

// One entry of the unit's parameter map: the address, the adaptor class, the widget
// it binds (by its name in the window) and, for the slider-with-edit kinds, the
// companion edit; then the value the record starts from, as the window's form sets it.
struct Binding
{
    int address;
    const char* adaptorClass;
    const char* widget;
    const char* edit;
    int initial;
};

const QList<Binding>& parameterMap()
{
    static const QList<Binding> map = {
            // Slider with line edit.
            {103, "VBecSliderWithLineEditAdaptor", "lowBecSlider", "lowBecEdit", 50},
            {137, "SliderWithLineEditAdaptor", "sliderCollectiveTravel", "editCollectiveTravel",
             45},
            {142, "SliderWithLineEditAdaptor", "sliderCollectiveTravel_2", "editCollectiveTravel_2",
             45},
            {152, "SliderWithLineEditAdaptor", "rescuePitSlider", "rescuePitEdit", 50},
            {212, "SliderWithLineEditAdaptor", "sliderTailTravel1", "editTailTravel1", 100},
            {216, "SliderWithLineEditAdaptor", "sliderTailTravel2", "editTailTravel2", 100},
            {290, "SliderWithLineEditAdaptor", "aileronGainSlider", "aileronGainEdit", 50},
            {291, "SliderWithLineEditAdaptor", "elevatorGainSlider", "elevatorGainedit", 50},
            {300, "SliderWithLineEditAdaptor", "sliderCyclicReponse", "editCyclicResponse", 100},
            {301, "SliderWithLineEditAdaptor", "sliderCyclicGain", "editCyclicGain", 100},
            {302, "SliderWithLineEditAdaptor", "sliderCyclicLimit", "editCyclicLimit", 100},
            {303, "SliderWithLineEditAdaptor", "sliderTailGain", "editTailGain", 100},
            {304, "SliderWithLineEditAdaptor", "sliderTailYaw", "editTailYaw", 500},
            {305, "SliderWithLineEditAdaptor", "sliderCyclicRoll", "editCyclicRoll", 250},
            {306, "SliderWithLineEditAdaptor", "sliderCyclicFlip", "editCyclicFlip", 250},
            {307, "SliderWithLineEditAdaptor", "pGainCyclicSlider", "pGainEdit", 50},
            {308, "SliderWithLineEditAdaptor", "iGainCyclicSlider", "iGainEdit", 50},
            {309, "SliderWithLineEditAdaptor", "dGainCyclicSlider", "dGainEdit", 50},
            {320, "SliderWithLineEditAdaptor", "pGainTailSlider", "pGainTailEdit", 50},
            {321, "SliderWithLineEditAdaptor", "iGainTailSlider", "iGainTailEdit", 50},
            {322, "SliderWithLineEditAdaptor", "dGainTailSlider", "dGainTailEdit", 50},
            {340, "SliderWithLineEditAdaptor", "bank1_agi_slider", "bank1_agi_edit", 100},
            {341, "SliderWithLineEditAdaptor", "bank2_agi_slider", "bank2_agi_edit", 100},
            {342, "SliderWithLineEditAdaptor", "bank3_agi_slider", "bank3_agi_edit", 100},
            {345, "SliderWithLineEditAdaptor", "bank1_gain_slider", "bank1_gain_edit", 50},
            {346, "SliderWithLineEditAdaptor", "bank2_gain_slider", "bank2_gain_edit", 50},
            {347, "SliderWithLineEditAdaptor", "bank3_gain_slider", "bank3_gain_edit", 50},
            {400, "SliderWithLineEditAdaptor", "minRTHAttitudeSlider", "minRTHAttitudeEditor", 0},
            {401, "SliderWithLineEditAdaptor", "rthSpeedSlider", "rthSpeedEdit", 10},
            {402, "SliderWithLineEditAdaptor", "rthSpeedUpDownSlider", "rthSpeedUpDownEdit", 10},
            {406, "SliderWithLineEditAdaptor", "gpsGainSlider", "gpsGainEdit", 20},
            {411, "SliderWithLineEditAdaptor", "altiGainSlider", "altiGainEdit", 20},
            {521, "GovMotorOffSliderWithLineEditAdaptor", "sliderGovernorMotorOff",
             "editGovernorMotorOff", 100},
            {522, "SliderWithLineEditAdaptor", "sliderGovernoMaxThrottle",
             "editGovernorMaxThrottle", 100},
            {530, "GovStartThrottleWithLineEditAdaptor", "sliderGovernorStartThrottle",
             "editGovernorStartThrottle", 0},
            {531, "GovScrollUpWithLineEditAdaptor", "sliderGovernorScrollUp",
             "editGovernorScrollUp", 1},

            // Special cases.
            {101, "RxTypeComboBoxAdaptor", "cbReceiverType", nullptr, 1},
            {104, "ComboBoxAdaptor", "cbBankconfigCH", nullptr, 0},
            {111, "RxMonitorAdaptor", "rxViewRight", nullptr, NoRecord},
            {112, "RxMonitorAdaptor", "rxViewRight", nullptr, NoRecord},
            {114, "RxMonitorAdaptor", "rxViewLeft", nullptr, NoRecord},
            {116, "RxMonitorAdaptor", "rxViewLeft", nullptr, NoRecord},
            {122, "FlyStyleAdaptor", "flyStyleView", nullptr, FromWidget},
            {140, "SwashTrimCollectiveAdaptor", "swashTrimCollective", nullptr, 100},
            {211, "ServoAngleAdaptor", "swashView", nullptr, 0},
            {217, "SwashTrimCyclicMonitorAdaptor", "swashTrimCyclic", nullptr, NoRecord},
            {218, "SwashTrimCyclicMonitorAdaptor", "swashTrimCyclic", nullptr, NoRecord},
            {219, "SwashTrimCyclicMonitorAdaptor", "swashTrimCyclic", nullptr, NoRecord},
            {220, "SwashTrimCyclicMonitorAdaptor", "swashTrimCyclic", nullptr, NoRecord},
            {222, "SwashTrimCyclicAdaptor", "swashTrimCyclic", nullptr, 100},
            {223, "SwashTrimCyclicAdaptor", "swashTrimCyclic", nullptr, 100},
            {225, "SwashTrimCyclicAdaptor", "swashTrimCyclic", nullptr, 100},
            {226, "SwashTrimCyclicAdaptor", "swashTrimCyclic", nullptr, 100},
            {227, "SwashTrimCyclicAdaptor", "swashTrimCyclic", nullptr, 100},
            {228, "SwashTrimCyclicAdaptor", "swashTrimCyclic", nullptr, 100},
            {451, "LabelAdaptorGPSStatus", "gpsHomeFixed", nullptr, 0},
            {500, "LabelAdaptorGPSCompass", "compassValueLabel", nullptr, 0},
            {524, "GenericDivideLineEditAdaptor", "editRPM1", nullptr, 250},
            {533, "GenericDivideLineEditAdaptor", "editRPM2", nullptr, 250},
            {534, "GenericDivideLineEditAdaptor", "editRPM3", nullptr, 250},
            // The bank head speeds start at 2500 rpm like the governor's, inside their
            // 1000..9990 range.
            {1524, "GenericDivideLineEditAdaptor", "bank1_rpm_edit", nullptr, 250},
            {1533, "GenericDivideLineEditAdaptor", "bank2_rpm_edit", nullptr, 250},
            {1534, "GenericDivideLineEditAdaptor", "bank3_rpm_edit", nullptr, 250},
            {525, "GearRatioLineEditAdaptor", "editGearRatio", nullptr, 1000},
            {535, "ComboBoxAdaptor", "rpmType", nullptr, 0},

            // Bound by the widget's type.
            {100, "LabelAdaptorVBEC", "vBecLabel", nullptr, 0},
            {113, "SliderAdaptor", "sliderRx1", nullptr, NoRecord},
            {115, "SliderAdaptor", "sliderRx2", nullptr, NoRecord},
            {117, "SliderAdaptor", "sliderRx3", nullptr, NoRecord},
            {121, "ButtonGroupAdaptor", "heliSizeGroup", nullptr, 1},
            {124, "ButtonGroupWithVerifyAdaptor", "rotateDirectionGroup", nullptr, 1},
            {125, "ComboBoxAdaptor", "cbDigtalAnalogServos", nullptr, 1},
            {126, "ButtonGroupAdaptor", "tailServoTypeGroup", nullptr, 1},
            {127, "ButtonGroupWithVerifyAdaptor", "sensorDirectionGroup", nullptr, 1},
            {131, "CheckableButtonWithVerifyAdaptor", "btnServoCh4", nullptr, FromWidget},
            {132, "CheckableButtonWithVerifyAdaptor", "btnServoCh1", nullptr, FromWidget},
            {133, "CheckableButtonWithVerifyAdaptor", "btnServoCh2", nullptr, FromWidget},
            {134, "CheckableButtonWithVerifyAdaptor", "btnServoCh3", nullptr, FromWidget},
            {135, "CheckableButtonWithVerifyAdaptor", "btnTailServo", nullptr, FromWidget},
            {136, "ButtonGroupWithVerifyAdaptor", "collectiveDirectionGroup", nullptr, 1},
            {138, "CheckBoxAdaptor", "checkPitchpump", nullptr, 0},
            {139, "LineEditAdaptor", "editPitchpump", nullptr, 0},
            {150, "ComboBoxAdaptor", "rescueMode", nullptr, 0},
            {203, "ButtonGroupWithVerifyAdaptor", "swashTypeGroup", nullptr, 1},
            {204, "DoubleDirectSliderAdaptor", "servoSlider1", nullptr, 100},
            {205, "DoubleDirectSliderAdaptor", "servoSlider2", nullptr, 100},
            {206, "DoubleDirectSliderAdaptor", "servoSlider3", nullptr, 100},
            {207, "DoubleDirectSliderAdaptor", "tailServoSlider", nullptr, 100},
            {209, "CheckBoxAdaptor", "checkCyclicRing", nullptr, 1},
            {210, "LineEditAdaptor", "editCyclicRing", nullptr, 85},
            {310, "LineEditAdaptor", "editRcDeadband", nullptr, 10},
            {311, "LineEditAdaptor", "editElevatorPrecom", nullptr, 50},
            {312, "LineEditAdaptor", "editPddleSimulate", nullptr, 50},
            {313, "LineEditAdaptor", "editCyclicExpo", nullptr, 0},
            {314, "LineEditAdaptor", "editTailAccelerate", nullptr, 50},
            {315, "LineEditAdaptor", "editTailStopGain", nullptr, 50},
            {316, "LineEditAdaptor", "editTailExpo", nullptr, 0},
            {317, "LineEditAdaptor", "editTailCollective", nullptr, 50},
            {318, "LineEditAdaptor", "editTailCyclic", nullptr, 50},
            {319, "LineEditAdaptor", "editTailZeroCol", nullptr, 50},
            {511, "ComboBoxAdaptor", "cbGovernorMode", nullptr, 0},
            {512, "ComboBoxAdaptor", "cbGasServosType", nullptr, 1},
            {523, "CheckBoxAdaptor", "checkThrottleServosReverse", nullptr, FromWidget},
            {526, "LineEditAdaptor", "editGearRatio", nullptr, 0},
            {527, "LineEditAdaptor", "editSensorConfig", nullptr, 8},
            {528, "CheckBoxAdaptor", "checkAutoBaillout", nullptr, FromWidget},
            {529, "CheckBoxAdaptor", "checkIdleDuringBailout", nullptr, FromWidget},
            {532, "ComboBoxAdaptor", "cbGain", nullptr, FromWidget},
    };
    return map;
}

const Binding* bindingOf(int address)
{
    for (const Binding& b : parameterMap()) {
        if (b.address == address)
            return &b;
    }
    return nullptr;
}

using UserAction = std::function<void()>;
using Output = QList<QPair<int, int>>;

} // namespace

Q_DECLARE_METATYPE(UserAction)

class TestModelBuilder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void everyAddressIsBound();
    void bindingsFollowTheParameterMap();
    void recordsStartFromTheWidgets();
    void unknownWidgetTypeGetsNoAdaptor();

    void pushedValuesShow_data();
    void pushedValuesShow();

    void userEditsComeOut_data();
    void userEditsComeOut();
    void refusedChoicesSendNothing();

    void buildingBeforeTheWindowIsFilled();

    // The controller's side of the confirmations.
    void answerGroup(QObject* group, int id, bool* accepted);
    void answerButton(QObject* button, bool checked, bool* accepted);

private:
    QObject* widgetNamed(const char* name) const;
    QString shown(int address) const;
    // Brings the tab and the stacked pages holding the widget to the front.
    void reveal(QWidget* widget) const;
    void push(int address, int raw) { m_adaptors->setAdaptorValue(address, raw); }
    void retype(QLineEdit* edit, const QString& text) const;
    void clickButton(QAbstractButton* button) const;

    std::unique_ptr<Ui::MainWidget> m_window;
    AdaptorModel* m_adaptors = nullptr;
    ParameterModel* m_parameters = nullptr;
    // What each widget showed before the models were built.
    QHash<int, int> m_shownBeforeBuild;
    bool m_answer = true;
    int m_questions = 0;
};

void TestModelBuilder::initTestCase()
{
    QVERIFY(ResourceManager::instance(QStringLiteral("docs/en/strings.xml")));
    m_window.reset(new Ui::MainWidget);
    m_window->registerUiConnections();
    m_window->intializeWidgetProperties();
    m_window->setToolTipForWidgets();

    // The widget readings that the map leaves to the widgets.
    for (const Binding& b : parameterMap()) {
        if (b.initial != FromWidget)
            continue;
        QObject* w = widgetNamed(b.widget);
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            m_shownBeforeBuild.insert(b.address, button->isChecked() ? 1 : 0);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            m_shownBeforeBuild.insert(b.address, combo->currentData().toInt());
        else if (auto* view = qobject_cast<FlyStyleView*>(w))
            m_shownBeforeBuild.insert(b.address, view->getValue());
    }

    ModelBuilder builder(m_window.get());
    m_adaptors = builder.buildAdaptorModel();
    m_parameters = builder.buildParameterModel();
    QVERIFY(m_adaptors);
    QVERIFY(m_parameters);

    // Confirmations are answered here, directly, as the controller does.
    const auto adaptors = m_adaptors->adaptors();
    for (AbstractFieldAdaptor* adaptor : adaptors) {
        if (qobject_cast<ButtonGroupWithVerifyAdaptor*>(adaptor))
            QVERIFY(connect(adaptor, SIGNAL(_buttonClicked(QObject*, int, bool*)), this,
                            SLOT(answerGroup(QObject*, int, bool*))));
        if (qobject_cast<CheckableButtonWithVerifyAdaptor*>(adaptor))
            QVERIFY(connect(adaptor, SIGNAL(_clicked(QObject*, bool, bool*)), this,
                            SLOT(answerButton(QObject*, bool, bool*))));
    }

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestModelBuilder::cleanupTestCase()
{
    delete m_adaptors;
    delete m_parameters;
    m_window.reset();
}

void TestModelBuilder::answerGroup(QObject*, int, bool* accepted)
{
    ++m_questions;
    *accepted = m_answer;
}

void TestModelBuilder::answerButton(QObject*, bool, bool* accepted)
{
    ++m_questions;
    *accepted = m_answer;
}

QObject* TestModelBuilder::widgetNamed(const char* name) const
{
    // The window makes these in code, some without an object name.
    const QHash<QString, QObject*> made = {
            {"heliSizeGroup", m_window->heliSizeGroup},
            {"rotateDirectionGroup", m_window->rotateDirectionGroup},
            {"tailServoTypeGroup", m_window->tailServoTypeGroup},
            {"sensorDirectionGroup", m_window->sensorDirectionGroup},
            {"collectiveDirectionGroup", m_window->collectiveDirectionGroup},
            {"swashTypeGroup", m_window->swashTypeGroup},
            {"flyStyleView", m_window->flyStyleView},
            {"swashView", m_window->swashView},
            {"servoSlider1", m_window->servoSlider1},
            {"servoSlider2", m_window->servoSlider2},
            {"servoSlider3", m_window->servoSlider3},
            {"servoSlider4", m_window->servoSlider4},
            {"tailServoSlider", m_window->tailServoSlider},
            {"swashTrimCyclic", m_window->swashTrimCyclic},
            {"swashTrimCollective", m_window->swashTrimCollective},
    };
    if (QObject* w = made.value(QString::fromLatin1(name)))
        return w;
    // Everything else is found by its object name, which is the interface.
    return m_window->findChild<QObject*>(QString::fromLatin1(name));
}

// The widget of an address as the pilot sees it.
QString TestModelBuilder::shown(int address) const
{
    const Binding* b = bindingOf(address);
    QObject* w = widgetNamed(b->widget);
    const QString cls = QString::fromLatin1(b->adaptorClass);
    if (b->edit) {
        const auto* slider = qobject_cast<QSlider*>(w);
        const auto* edit = qobject_cast<QLineEdit*>(widgetNamed(b->edit));
        return QStringLiteral("%1|%2").arg(slider->value()).arg(edit->text());
    }
    if (auto* dds = qobject_cast<DoubleDirectSlider*>(w))
        return QStringLiteral("%1|%2")
                .arg(dds->getSlider()->value())
                .arg(dds->getLineEdit()->text());
    if (cls == "RxTypeComboBoxAdaptor")
        return m_window->cbReceiverType->currentText() + "|" +
               m_window->cbSatelliteType->currentText();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* slider = qobject_cast<QSlider*>(w))
        return QString::number(slider->value());
    if (auto* group = qobject_cast<QButtonGroup*>(w))
        return group->checkedButton() ? group->checkedButton()->objectName() : QString();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isChecked() ? "checked" : "unchecked";
    if (auto* view = qobject_cast<FlyStyleView*>(w))
        return QString::number(view->getValue());
    if (auto* view = qobject_cast<AdvanceServosView*>(w))
        return QString::number(view->angle());
    if (auto* view = qobject_cast<RxMonitorView*>(w)) {
        const bool vertical = address == 112 || address == 116;
        return QString::number(vertical ? view->yValue : view->xValue);
    }
    if (auto* trim = qobject_cast<SwashTrimCyclic*>(w)) {
        if (address >= 217 && address <= 220)
            return QString::number(trim->monitorValue(address));
        const QHash<int, QPair<int, int>> trims = {{222, {0, 0}}, {223, {0, 1}}, {225, {1, 0}},
                                                   {226, {1, 1}}, {227, {2, 0}}, {228, {2, 1}}};
        const QPair<int, int> t = trims.value(address);
        return QString::number(
                trim->trimValue(static_cast<SwashTrimCyclic::TrimType>(t.first),
                                static_cast<SwashTrimCyclic::TrimDirection>(t.second)));
    }
    if (auto* trim = qobject_cast<SwashTrimCollective*>(w))
        return QString::number(trim->trimValue());
    return QStringLiteral("?");
}

void TestModelBuilder::reveal(QWidget* widget) const
{
    QWidget* child = widget;
    for (QWidget* p = widget->parentWidget(); p; child = p, p = p->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(p);
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(child);
        else
            stack->setCurrentWidget(child);
    }
    QTRY_VERIFY(widget->isVisible());
}

void TestModelBuilder::retype(QLineEdit* edit, const QString& text) const
{
    reveal(edit);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void TestModelBuilder::clickButton(QAbstractButton* button) const
{
    reveal(button);
    // Check boxes and radio buttons answer on their indicator, at the left.
    const bool indicator = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    const QPoint at = indicator ? QPoint(8, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}

// ---------------------------------------------------------------------------------------

void TestModelBuilder::everyAddressIsBound()
{
    QCOMPARE(parameterMap().size(), 108);
    QCOMPARE(m_adaptors->count(), 108);
    QCOMPARE(m_parameters->count(), 97);

    for (const Binding& b : parameterMap()) {
        QVERIFY2(m_adaptors->adaptor(b.address), qPrintable(QString::number(b.address)));
        bool found = false;
        for (const Parameter* p : m_parameters->parameters()) {
            if (p->address == b.address)
                found = true;
        }
        QVERIFY2(found == (b.initial != NoRecord), qPrintable(QString::number(b.address)));
    }

    // The gear ratio edit carries two parameters through two adaptors.
    QVERIFY(m_adaptors->adaptor(525) != m_adaptors->adaptor(526));
    QCOMPARE(m_adaptors->adaptor(525)->inputField(), m_adaptors->adaptor(526)->inputField());
}

void TestModelBuilder::bindingsFollowTheParameterMap()
{
    for (const Binding& b : parameterMap()) {
        const QByteArray where = QByteArray::number(b.address);
        AbstractFieldAdaptor* adaptor = m_adaptors->adaptor(b.address);
        QVERIFY2(adaptor, where);
        QVERIFY2(adaptor->metaObject()->className() == QByteArray(b.adaptorClass),
                 where + " is a " + adaptor->metaObject()->className());

        QObject* widget = widgetNamed(b.widget);
        QVERIFY2(widget, where + " has no widget " + b.widget);
        if (!widget->objectName().isEmpty())
            QCOMPARE(widget->objectName(), QString::fromLatin1(b.widget));

        if (auto* dds = qobject_cast<DoubleDirectSlider*>(widget)) {
            auto* sliderAdaptor = qobject_cast<SliderWithLineEditAdaptor*>(adaptor);
            QVERIFY2(adaptor->inputField() == dds->getSlider(), where);
            QVERIFY2(sliderAdaptor->getLineEdit() == dds->getLineEdit(), where);
            continue;
        }
        QVERIFY2(adaptor->inputField() == widget, where + " is bound to another widget");
        if (b.edit) {
            // The supply-voltage variant is a sibling of the plain one, not a subclass.
            QLineEdit* edit = nullptr;
            if (auto* plain = qobject_cast<SliderWithLineEditAdaptor*>(adaptor))
                edit = plain->getLineEdit();
            else if (auto* vbec = qobject_cast<VBecSliderWithLineEditAdaptor*>(adaptor))
                edit = vbec->getLineEdit();
            QVERIFY2(edit && edit == widgetNamed(b.edit), where);
        }
    }

    // The settings the builder gives the special adaptors.
    const QHash<int, int> axes = {{111, 0}, {112, 1}, {114, 0}, {116, 1}};
    for (auto it = axes.cbegin(); it != axes.cend(); ++it)
        QCOMPARE(qobject_cast<RxMonitorAdaptor*>(m_adaptors->adaptor(it.key()))->axis(),
                 it.value());
    for (int channel = 217; channel <= 220; ++channel)
        QCOMPARE(qobject_cast<SwashTrimCyclicMonitorAdaptor*>(m_adaptors->adaptor(channel))
                         ->channel(),
                 channel);
    for (int address : {524, 533, 534, 1524, 1533, 1534})
        QCOMPARE(qobject_cast<GenericDivideLineEditAdaptor*>(m_adaptors->adaptor(address))
                         ->divisor(),
                 10);
    QCOMPARE(qobject_cast<RxTypeComboBoxAdaptor*>(m_adaptors->adaptor(101))->satelliteComboBox(),
             m_window->cbSatelliteType);

    // The servo page's fourth slider holds no parameter; the tail slider has 207.
    const QList<QObject*> fields = m_adaptors->inputFields();
    QVERIFY(!fields.contains(m_window->servoSlider4->getSlider()));
}

void TestModelBuilder::recordsStartFromTheWidgets()
{
    for (const Parameter* p : m_parameters->parameters()) {
        const Binding* b = bindingOf(p->address);
        QVERIFY2(b, qPrintable(QString::number(p->address)));
        const int expected =
                b->initial == FromWidget ? m_shownBeforeBuild.value(b->address) : b->initial;
        QVERIFY2(p->value == expected, qPrintable(QStringLiteral("%1 starts at %2, not %3")
                                                          .arg(p->address)
                                                          .arg(p->value)
                                                          .arg(expected)));
    }
}

void TestModelBuilder::unknownWidgetTypeGetsNoAdaptor()
{
    ModelBuilder builder(m_window.get());
    QObject notAWidget;
    QTest::ignoreMessage(QtDebugMsg, "4242");
    QCOMPARE(builder.createAdaptor(4242, &notAWidget), static_cast<AbstractFieldAdaptor*>(nullptr));
    QTest::ignoreMessage(QtDebugMsg, "4243");
    QCOMPARE(builder.createAdaptor(4243, nullptr), static_cast<AbstractFieldAdaptor*>(nullptr));
    // The builder hands its models over and never deletes them.
    delete builder.adaptorModel();
    delete builder.parameterModel();
}

// ---------------------------------------------------------------------------------------

void TestModelBuilder::pushedValuesShow_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("display");

    struct Row
    {
        int address;
        int raw;
        const char* display;
    };
    const Row rows[] = {
            // Slider and edit: "slider|edit".
            {103, 74, "74|7.4"},
            {137, 60, "60|60"},
            {142, 70, "70|70"},
            {152, 30, "30|30"},
            {212, 120, "120|120"},
            {216, 80, "80|80"},
            {290, 40, "40|40"},
            {291, 60, "60|60"},
            {300, 120, "120|120"},
            {301, 90, "90|90"},
            {302, 130, "130|130"},
            {303, 120, "120|120"},
            {304, 650, "650|650"},
            {305, 400, "400|400"},
            {306, 300, "300|300"},
            {307, 70, "70|70"},
            {308, 20, "20|20"},
            {309, 80, "80|80"},
            {320, 30, "30|30"},
            {321, 40, "40|40"},
            {322, 60, "60|60"},
            {340, 110, "110|110"},
            {341, 120, "120|120"},
            {342, 130, "130|130"},
            {345, 60, "60|60"},
            {346, 70, "70|70"},
            {347, 80, "80|80"},
            {400, 1500, "1500|1500"},
            {401, 500, "500|500"},
            {402, 200, "200|200"},
            {406, 60, "60|60"},
            {411, 70, "70|70"},
            {521, 80, "-80|-80"},
            {522, 130, "130|130"},
            {530, 15, "15|15"},
            {531, 3, "3|3"},
            {204, 0, "-100|-100"},
            {205, 150, "50|50"},
            {206, 75, "-25|-25"},
            {207, 180, "80|80"},
            // Combo boxes show the entry carrying the value.
            {101, 5, "DSM2/DSMX Satellite|DSMX"},
            {101, 2, "S-Bus|DSMX"},
            {101, 4, "DSM2/DSMX Satellite|DSM2"},
            {104, 2, "Bank3"},
            {125, 2, "Digital 200Hz/1520us"},
            {150, 1, "ON"},
            {511, 2, "Nitro/Gas"},
            {512, 2, "760us Servo"},
            {532, 7, "7"},
            {535, 2, "RPM2"},
            // Button groups check the button with the value as id.
            {121, 5, "btnHeliSize5"},
            {124, 2, "btnRotateDirection2"},
            {126, 3, "radioTail3"},
            {127, 6, "btnSensorDirection6"},
            {136, 2, "btnCollectiveDirection2"},
            {203, 3, "btnSwashplate3"},
            // On/off widgets.
            {131, 0, "unchecked"},
            {131, 1, "checked"},
            {132, 0, "unchecked"},
            {132, 1, "checked"},
            {133, 0, "unchecked"},
            {133, 1, "checked"},
            {134, 0, "unchecked"},
            {134, 1, "checked"},
            {135, 0, "unchecked"},
            {135, 1, "checked"},
            {138, 1, "checked"},
            {209, 0, "unchecked"},
            {523, 1, "checked"},
            {528, 1, "checked"},
            {528, 0, "unchecked"},
            {529, 1, "checked"},
            // Line edits; 526 shares its edit with the gear ratio of 525.
            {139, 40, "40"},
            {210, 60, "60"},
            {310, 20, "20"},
            {311, 60, "60"},
            {312, 70, "70"},
            {313, 30, "30"},
            {314, 40, "40"},
            {315, 45, "45"},
            {316, 25, "25"},
            {317, 35, "35"},
            {318, 65, "65"},
            {319, 55, "55"},
            {527, 12, "12"},
            {526, 7, "7"},
            {525, 1250, "12.50"},
            {525, 905, "09.05"},
            {524, 300, "3000"},
            {533, 412, "4120"},
            {534, 999, "9990"},
            {1524, 150, "1500"},
            {1533, 205, "2050"},
            {1534, 100, "1000"},
            // Drawn widgets.
            {122, 4, "4"},
            {211, 90, "90"},
            {140, 130, "30"},
            {140, 0, "-100"},
            {222, 110, "10"},
            {223, 0, "-100"},
            {225, 130, "30"},
            {226, 200, "100"},
            {227, 50, "-50"},
            {228, 99, "-1"},
            // Live values.
            {100, 83, "VBEC: 8.30 V"},
            {451, 9, "Fixed (9 sats)"},
            {451, 0, "Not Fixed"},
            {500, 1805, "180.5"},
            {500, 0, "0.0"},
            {111, 1700, "1700"},
            {112, 1300, "1300"},
            {114, 1000, "1000"},
            {116, 2000, "2000"},
            {113, 1700, "1700"},
            {115, 1000, "1000"},
            {117, 2000, "2000"},
            {217, 1200, "1200"},
            {218, 1300, "1300"},
            {219, 1400, "1400"},
            {220, 1900, "1900"},
    };
    QSet<int> covered;
    for (const Row& row : rows) {
        covered.insert(row.address);
        QTest::addRow("%d=%d", row.address, row.raw) << row.address << row.raw << row.display;
    }
    // Every address of the map is pushed at least once.
    for (const Binding& b : parameterMap())
        QVERIFY2(covered.contains(b.address), qPrintable(QString::number(b.address)));
}

void TestModelBuilder::pushedValuesShow()
{
    QFETCH(int, address);
    QFETCH(int, raw);
    QFETCH(QString, display);
    QSignalSpy edits(m_adaptors, &AdaptorModel::_adaptorValueChanged);
    const int questions = m_questions;

    if (address == 525)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Gov %1").arg(raw)));
    push(address, raw);
    QCOMPARE(shown(address), display);
    // The monitors read as 0 whatever they show; everything else (the supply voltage
    // included, so that a drop to 0 V shows) reads back the value it shows, so a repeat is
    // recognised and skipped.
    const QList<int> readAsZero = {111, 112, 114, 116, 217, 218, 219, 220};
    QCOMPARE(m_adaptors->value(address), readAsZero.contains(address) ? 0 : raw);
    // A value from the unit is never taken for a user edit, nor asked about.
    QCOMPARE(edits.count(), 0);
    QCOMPARE(m_questions, questions);
}

// ---------------------------------------------------------------------------------------

void TestModelBuilder::userEditsComeOut_data()
{
    QTest::addColumn<UserAction>("action");
    QTest::addColumn<Output>("output");
    Ui::MainWidget* w = m_window.get();

    QTest::newRow("slider edit: typed value")
            << UserAction([=] { retype(w->editCyclicResponse, "120"); }) << Output{{300, 120}};
    QTest::newRow("slider edit: keyboard step") << UserAction([=] {
        push(302, 100);
        reveal(w->sliderCyclicLimit);
        QTest::keyClick(w->sliderCyclicLimit, Qt::Key_Right);
    }) << Output{{302, 101}};
    QTest::newRow("supply voltage: tenths")
            << UserAction([=] { retype(w->lowBecEdit, "7.4"); }) << Output{{103, 74}};
    QTest::newRow("motor off: negated")
            << UserAction([=] { retype(w->editGovernorMotorOff, "-60"); }) << Output{{521, 60}};
    QTest::newRow("motor off: slider step") << UserAction([=] {
        push(521, 100);
        reveal(w->sliderGovernorMotorOff);
        QTest::keyClick(w->sliderGovernorMotorOff, Qt::Key_Right);
    }) << Output{{521, 99}};
    QTest::newRow("start throttle") << UserAction([=] {
        push(530, 0);
        reveal(w->sliderGovernorStartThrottle);
        QTest::keyClick(w->sliderGovernorStartThrottle, Qt::Key_Right);
    }) << Output{{530, 1}};
    QTest::newRow("scroll up") << UserAction([=] { retype(w->editGovernorScrollUp, "3"); })
                               << Output{{531, 3}};
    QTest::newRow("servo centre: typed")
            << UserAction([=] { retype(w->servoSlider1->getLineEdit(), "-20"); })
            << Output{{204, 80}};
    QTest::newRow("tail servo centre: step") << UserAction([=] {
        push(207, 100);
        reveal(w->tailServoSlider->getSlider());
        QTest::keyClick(w->tailServoSlider->getSlider(), Qt::Key_Up);
    }) << Output{{207, 101}};
    QTest::newRow("plain line edit")
            << UserAction([=] { retype(w->editRcDeadband, "20"); }) << Output{{310, 20}};
    QTest::newRow("gear ratio and its second address")
            << UserAction([=] { retype(w->editGearRatio, "7.5"); }) << Output{{525, 750}, {526, 0}};
    QTest::newRow("head speed rounded")
            << UserAction([=] { retype(w->editRPM1, "1235"); }) << Output{{524, 124}};
    QTest::newRow("bank head speed")
            << UserAction([=] { retype(w->bank2_rpm_edit, "2344"); }) << Output{{1533, 234}};
    QTest::newRow("check box") << UserAction([=] {
        push(138, 0);
        clickButton(w->checkPitchpump);
    }) << Output{{138, 1}};
    QTest::newRow("combo box") << UserAction([=] {
        push(150, 0);
        reveal(w->rescueMode);
        QTest::keyClick(w->rescueMode, Qt::Key_Down);
    }) << Output{{150, 1}};
    QTest::newRow("receiver type: plain receiver") << UserAction([=] {
        push(101, 2);
        reveal(w->cbReceiverType);
        QTest::keyClick(w->cbReceiverType, Qt::Key_Home);
    }) << Output{{101, 1}};
    QTest::newRow("receiver type: satellites") << UserAction([=] {
        push(101, 1);
        w->cbSatelliteType->setCurrentIndex(1);
        reveal(w->cbReceiverType);
        QTest::keyClick(w->cbReceiverType, Qt::Key_End);
        w->cbSatelliteType->show();
        QTest::keyClick(w->cbSatelliteType, Qt::Key_Up);
    }) << Output{{101, 5}, {101, 4}};
    QTest::newRow("button group") << UserAction([=] {
        push(121, 1);
        clickButton(w->btnHeliSize3);
    }) << Output{{121, 3}};
    QTest::newRow("tail servo type") << UserAction([=] {
        push(126, 1);
        clickButton(w->radioTail2);
    }) << Output{{126, 2}};
    QTest::newRow("confirmed picture choice") << UserAction([=] {
        push(127, 1);
        clickButton(w->btnSensorDirection4);
    }) << Output{{127, 4}};
    QTest::newRow("confirmed swash type") << UserAction([=] {
        push(203, 1);
        clickButton(w->btnSwashplate2);
    }) << Output{{203, 2}};
    QTest::newRow("confirmed servo direction") << UserAction([=] {
        push(133, 1);
        clickButton(w->btnServoCh2);
    }) << Output{{133, 0}};
    QTest::newRow("flying style") << UserAction([=] {
        push(122, 4);
        reveal(w->flyStyleView);
        QTest::mouseClick(w->flyStyleView, Qt::LeftButton, Qt::NoModifier,
                          w->flyStyleView->styleRect(2).center());
    }) << Output{{122, 2}};
    QTest::newRow("cyclic trim") << UserAction([=] {
        push(225, 130);
        QAbstractButton* plus = w->swashTrimCyclic->stepButton(SwashTrimCyclic::Elevator,
                                                               SwashTrimCyclic::Positive, 1);
        clickButton(plus);
    }) << Output{{225, 131}};
    QTest::newRow("collective trim") << UserAction([=] {
        push(140, 130);
        clickButton(w->swashTrimCollective->stepButton(-1));
    }) << Output{{140, 129}};
}

void TestModelBuilder::userEditsComeOut()
{
    QFETCH(UserAction, action);
    QFETCH(Output, output);
    m_answer = true;
    QSignalSpy edits(m_adaptors, &AdaptorModel::_adaptorValueChanged);

    action();
    Output got;
    for (const QList<QVariant>& args : edits) {
        got.append({args.at(0).toInt(), args.at(1).toInt()});
        QCOMPARE(args.at(2).toBool(), false);
    }
    if (output.size() > 1 && output.first().first != output.last().first) {
        // Two adaptors on one widget answer in the order they were connected.
        std::sort(got.begin(), got.end());
        std::sort(output.begin(), output.end());
    }
    QCOMPARE(got, output);
}

void TestModelBuilder::refusedChoicesSendNothing()
{
    Ui::MainWidget* w = m_window.get();
    QSignalSpy edits(m_adaptors, &AdaptorModel::_adaptorValueChanged);
    QSignalSpy resets(m_adaptors, &AdaptorModel::_resetValue);
    m_answer = false;

    push(124, 1);
    const int asked = m_questions;
    clickButton(w->btnRotateDirection2);
    QCOMPARE(m_questions, asked + 1);
    QVERIFY(w->btnRotateDirection1->isChecked());

    push(135, 1);
    clickButton(w->btnTailServo);
    QCOMPARE(m_questions, asked + 2);
    QVERIFY(w->btnTailServo->isChecked());

    // The confirmed choice is clicked again: nothing to ask, nothing to send.
    m_answer = true;
    clickButton(w->btnRotateDirection1);
    QCOMPARE(m_questions, asked + 2);
    QCOMPARE(edits.count(), 0);

    // The collective trim's clear button asks the unit for a reset through address 10.
    clickButton(w->swashTrimCollective->clearButton());
    QCOMPARE(resets.count(), 1);
    QCOMPARE(resets.at(0).at(0).toInt(), 10);
    QCOMPARE(resets.at(0).at(1).toInt(), SwashTrimCollective::ResetCommand);
}

// The controller builds the models before it fills the window's combos and groups; the
// bindings must hold all the same.
void TestModelBuilder::buildingBeforeTheWindowIsFilled()
{
    Ui::MainWidget window;
    ModelBuilder builder(&window);
    std::unique_ptr<AdaptorModel> adaptors(builder.buildAdaptorModel());
    std::unique_ptr<ParameterModel> parameters(builder.buildParameterModel());
    QCOMPARE(adaptors->count(), 108);
    QCOMPARE(parameters->count(), 97);
    window.registerUiConnections();
    window.intializeWidgetProperties();
    window.setToolTipForWidgets();
    QSignalSpy edits(adaptors.get(), &AdaptorModel::_adaptorValueChanged);

    adaptors->setAdaptorValue(101, 5);
    QCOMPARE(window.cbReceiverType->currentData().toInt(), 0);
    QCOMPARE(window.cbSatelliteType->currentData().toInt(), 5);
    window.btnHeliSize4->click();
    QTest::keyClick(window.cbGovernorMode, Qt::Key_Down);
    QCOMPARE(edits.count(), 2);
    QCOMPARE(edits.at(0).at(0).toInt(), 121);
    QCOMPARE(edits.at(0).at(1).toInt(), 4);
    QCOMPARE(edits.at(1).at(0).toInt(), 511);
    QCOMPARE(edits.at(1).at(1).toInt(), 1);
}

QTEST_MAIN(TestModelBuilder)
#include "tst_modelbuilder.moc"
