#include "modelbuilder.h"

#include "adaptormodel.h"
#include "extraadaptors.h"
#include "mainwidget.h"
#include "parameter.h"
#include "parametermodel.h"

#include <buttongroupadaptor.h>
#include <checkboxadaptor.h>
#include <comboboxadaptor.h>
#include <lineeditadaptor.h>
#include <slideradaptor.h>
#include <sliderwithlineeditadaptor.h>
#include <vbecsliderwithlineeditadaptor.h>

#include <advanceservosview.h>
#include <buttongroup.h>
#include <doubledirectslider.h>
#include <flystyleview.h>
#include <rxmonitorview.h>
#include <swashtrimcollective.h>
#include <swashtrimcyclic.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

namespace {
// Head-speed fields show rpm; the unit stores rpm / 10.
constexpr int RpmDivisor = 10;

RxMonitorAdaptor* rxMonitorAdaptor(RxMonitorView* view, int axis)
{
    auto* adaptor = new RxMonitorAdaptor(view);
    adaptor->setAxis(axis);
    return adaptor;
}

SwashTrimCyclicAdaptor* cyclicTrimAdaptor(SwashTrimCyclic* trim, int type, int direction)
{
    auto* adaptor = new SwashTrimCyclicAdaptor(trim);
    adaptor->setType(type);
    adaptor->setDirection(direction);
    QObject::connect(trim, SIGNAL(_trimValueChanged(int, int, int, bool)), adaptor,
                     SLOT(trimValueChanged(int, int, int, bool)));
    return adaptor;
}

GenericDivideLineEditAdaptor* rpmAdaptor(QLineEdit* edit)
{
    auto* adaptor = new GenericDivideLineEditAdaptor(edit);
    adaptor->setDivisor(RpmDivisor);
    return adaptor;
}
} // namespace

ModelBuilder::ModelBuilder(Ui_MainWidget* window)
    : m_window(window)
    , m_parameterModel(new ParameterModel)
    , m_adaptorModel(new AdaptorModel)
{
    createWidgetMap();
}

ModelBuilder::~ModelBuilder() = default;

void ModelBuilder::createWidgetMap()
{
    Ui_MainWidget* w = m_window;
    if (!w)
        return;

    // START
    m_widgetMap.insert(100, w->vBecLabel);
    m_widgetMap.insert(103, w->lowBecSlider);
    m_widgetMap.insert(104, w->cbBankconfigCH);
    m_widgetMap.insert(121, w->heliSizeGroup);
    m_widgetMap.insert(122, w->flyStyleView);
    m_widgetMap.insert(150, w->rescueMode);
    m_widgetMap.insert(152, w->rescuePitSlider);

    // RX/TX. The stick channels are bound to the monitors by the special cases, which
    // pick the monitor and axis themselves.
    m_widgetMap.insert(101, w->cbReceiverType);
    m_widgetMap.insert(111, w->rxViewRight);
    m_widgetMap.insert(112, w->rxViewRight);
    m_widgetMap.insert(114, w->rxViewLeft);
    m_widgetMap.insert(116, w->rxViewLeft);
    m_widgetMap.insert(113, w->sliderRx1);
    m_widgetMap.insert(115, w->sliderRx2);
    m_widgetMap.insert(117, w->sliderRx3);

    // SENSOR
    m_widgetMap.insert(127, w->sensorDirectionGroup);

    // SWASH
    m_widgetMap.insert(124, w->rotateDirectionGroup);
    m_widgetMap.insert(203, w->swashTypeGroup);
    m_widgetMap.insert(209, w->checkCyclicRing);
    m_widgetMap.insert(210, w->editCyclicRing);
    m_widgetMap.insert(211, w->swashView);

    // SERVOS
    m_widgetMap.insert(125, w->cbDigtalAnalogServos);
    m_widgetMap.insert(131, w->btnServoCh4);
    m_widgetMap.insert(132, w->btnServoCh1);
    m_widgetMap.insert(133, w->btnServoCh2);
    m_widgetMap.insert(134, w->btnServoCh3);
    m_widgetMap.insert(204, w->servoSlider1);
    m_widgetMap.insert(205, w->servoSlider2);
    m_widgetMap.insert(206, w->servoSlider3);
    // Replaced below by the tail servo's slider, which holds this address on the unit.
    m_widgetMap.insert(207, w->servoSlider4);
    m_widgetMap.insert(217, w->swashTrimCyclic);
    m_widgetMap.insert(218, w->swashTrimCyclic);
    m_widgetMap.insert(219, w->swashTrimCyclic);
    m_widgetMap.insert(220, w->swashTrimCyclic);
    m_widgetMap.insert(222, w->swashTrimCyclic);
    m_widgetMap.insert(223, w->swashTrimCyclic);
    m_widgetMap.insert(225, w->swashTrimCyclic);
    m_widgetMap.insert(226, w->swashTrimCyclic);
    m_widgetMap.insert(227, w->swashTrimCyclic);
    m_widgetMap.insert(228, w->swashTrimCyclic);

    // COLLECTIVE
    m_widgetMap.insert(136, w->collectiveDirectionGroup);
    m_widgetMap.insert(137, w->sliderCollectiveTravel);
    m_widgetMap.insert(138, w->checkPitchpump);
    m_widgetMap.insert(139, w->editPitchpump);
    m_widgetMap.insert(140, w->swashTrimCollective);
    m_widgetMap.insert(142, w->sliderCollectiveTravel_2);

    // CYCLIC
    m_widgetMap.insert(290, w->aileronGainSlider);
    m_widgetMap.insert(291, w->elevatorGainSlider);
    m_widgetMap.insert(300, w->sliderCyclicReponse);
    m_widgetMap.insert(301, w->sliderCyclicGain);
    m_widgetMap.insert(302, w->sliderCyclicLimit);
    m_widgetMap.insert(305, w->sliderCyclicRoll);
    m_widgetMap.insert(306, w->sliderCyclicFlip);
    m_widgetMap.insert(307, w->pGainCyclicSlider);
    m_widgetMap.insert(308, w->iGainCyclicSlider);
    m_widgetMap.insert(309, w->dGainCyclicSlider);
    m_widgetMap.insert(310, w->editRcDeadband);
    m_widgetMap.insert(311, w->editElevatorPrecom);
    m_widgetMap.insert(312, w->editPddleSimulate);
    m_widgetMap.insert(313, w->editCyclicExpo);

    // TAIL
    m_widgetMap.insert(126, w->tailServoTypeGroup);
    m_widgetMap.insert(135, w->btnTailServo);
    m_widgetMap.insert(207, w->tailServoSlider);
    m_widgetMap.insert(212, w->sliderTailTravel1);
    m_widgetMap.insert(216, w->sliderTailTravel2);
    m_widgetMap.insert(303, w->sliderTailGain);
    m_widgetMap.insert(304, w->sliderTailYaw);
    m_widgetMap.insert(314, w->editTailAccelerate);
    m_widgetMap.insert(315, w->editTailStopGain);
    m_widgetMap.insert(316, w->editTailExpo);
    m_widgetMap.insert(317, w->editTailCollective);
    m_widgetMap.insert(318, w->editTailCyclic);
    m_widgetMap.insert(319, w->editTailZeroCol);
    m_widgetMap.insert(320, w->pGainTailSlider);
    m_widgetMap.insert(321, w->iGainTailSlider);
    m_widgetMap.insert(322, w->dGainTailSlider);

    // GOVERNOR. The gear ratio edit serves two addresses.
    m_widgetMap.insert(511, w->cbGovernorMode);
    m_widgetMap.insert(512, w->cbGasServosType);
    m_widgetMap.insert(521, w->sliderGovernorMotorOff);
    m_widgetMap.insert(522, w->sliderGovernoMaxThrottle);
    m_widgetMap.insert(523, w->checkThrottleServosReverse);
    m_widgetMap.insert(524, w->editRPM1);
    m_widgetMap.insert(525, w->editGearRatio);
    m_widgetMap.insert(526, w->editGearRatio);
    m_widgetMap.insert(527, w->editSensorConfig);
    m_widgetMap.insert(528, w->checkAutoBaillout);
    m_widgetMap.insert(529, w->checkIdleDuringBailout);
    m_widgetMap.insert(530, w->sliderGovernorStartThrottle);
    m_widgetMap.insert(531, w->sliderGovernorScrollUp);
    m_widgetMap.insert(532, w->cbGain);
    m_widgetMap.insert(533, w->editRPM2);
    m_widgetMap.insert(534, w->editRPM3);
    m_widgetMap.insert(535, w->rpmType);

    // BANK. 1524, 1533 and 1534 are the program's copies of the governor's head speeds.
    m_widgetMap.insert(340, w->bank1_agi_slider);
    m_widgetMap.insert(341, w->bank2_agi_slider);
    m_widgetMap.insert(342, w->bank3_agi_slider);
    m_widgetMap.insert(345, w->bank1_gain_slider);
    m_widgetMap.insert(346, w->bank2_gain_slider);
    m_widgetMap.insert(347, w->bank3_gain_slider);
    m_widgetMap.insert(1524, w->bank1_rpm_edit);
    m_widgetMap.insert(1533, w->bank2_rpm_edit);
    m_widgetMap.insert(1534, w->bank3_rpm_edit);

    // GPS
    m_widgetMap.insert(400, w->minRTHAttitudeSlider);
    m_widgetMap.insert(401, w->rthSpeedSlider);
    m_widgetMap.insert(402, w->rthSpeedUpDownSlider);
    m_widgetMap.insert(406, w->gpsGainSlider);
    m_widgetMap.insert(411, w->altiGainSlider);
    m_widgetMap.insert(451, w->gpsHomeFixed);
    m_widgetMap.insert(500, w->compassValueLabel);
}

AdaptorModel* ModelBuilder::buildAdaptorModel()
{
    for (auto it = m_widgetMap.cbegin(); it != m_widgetMap.cend(); ++it)
        m_adaptorModel->addAdaptor(it.key(), createAdaptor(it.key(), it.value()));
    return m_adaptorModel;
}

ParameterModel* ModelBuilder::buildParameterModel()
{
    for (auto it = m_widgetMap.cbegin(); it != m_widgetMap.cend(); ++it) {
        if (isMonitorChannel(it.key()))
            continue;
        auto* parameter = new Parameter;
        parameter->address = it.key();
        parameter->value = m_adaptorModel->value(it.key());
        m_parameterModel->insertParameter(it.key(), parameter);
    }
    return m_parameterModel;
}

AdaptorModel* ModelBuilder::adaptorModel() const
{
    return m_adaptorModel;
}

ParameterModel* ModelBuilder::parameterModel() const
{
    return m_parameterModel;
}

bool ModelBuilder::isMonitorChannel(int address)
{
    return (address >= 111 && address <= 117) || (address >= 217 && address <= 220);
}

AbstractFieldAdaptor* ModelBuilder::createAdaptor(int address, QObject* widget)
{
    if (QLineEdit* edit = companionEdit(address))
        return createSliderWithEditAdaptor(address, widget, edit);
    if (AbstractFieldAdaptor* adaptor = createSpecialAdaptor(address))
        return adaptor;
    return createAdaptorByType(address, widget);
}

QLineEdit* ModelBuilder::companionEdit(int address) const
{
    const Ui_MainWidget* w = m_window;
    if (!w)
        return nullptr;
    switch (address) {
    case 103:
        return w->lowBecEdit;
    case 137:
        return w->editCollectiveTravel;
    case 142:
        return w->editCollectiveTravel_2;
    case 152:
        return w->rescuePitEdit;
    case 212:
        return w->editTailTravel1;
    case 216:
        return w->editTailTravel2;
    case 290:
        return w->aileronGainEdit;
    case 291:
        return w->elevatorGainedit;
    case 300:
        return w->editCyclicResponse;
    case 301:
        return w->editCyclicGain;
    case 302:
        return w->editCyclicLimit;
    case 303:
        return w->editTailGain;
    case 304:
        return w->editTailYaw;
    case 305:
        return w->editCyclicRoll;
    case 306:
        return w->editCyclicFlip;
    case 307:
        return w->pGainEdit;
    case 308:
        return w->iGainEdit;
    case 309:
        return w->dGainEdit;
    case 320:
        return w->pGainTailEdit;
    case 321:
        return w->iGainTailEdit;
    case 322:
        return w->dGainTailEdit;
    case 340:
        return w->bank1_agi_edit;
    case 341:
        return w->bank2_agi_edit;
    case 342:
        return w->bank3_agi_edit;
    case 345:
        return w->bank1_gain_edit;
    case 346:
        return w->bank2_gain_edit;
    case 347:
        return w->bank3_gain_edit;
    case 400:
        return w->minRTHAttitudeEditor;
    case 401:
        return w->rthSpeedEdit;
    case 402:
        return w->rthSpeedUpDownEdit;
    case 406:
        return w->gpsGainEdit;
    case 411:
        return w->altiGainEdit;
    case 521:
        return w->editGovernorMotorOff;
    case 522:
        return w->editGovernorMaxThrottle;
    case 530:
        return w->editGovernorStartThrottle;
    case 531:
        return w->editGovernorScrollUp;
    default:
        return nullptr;
    }
}

AbstractFieldAdaptor* ModelBuilder::createSliderWithEditAdaptor(int address, QObject* slider,
                                                                QLineEdit* edit) const
{
    switch (address) {
    case 103:
        return new VBecSliderWithLineEditAdaptor(slider, edit);
    case 521:
        return new GovMotorOffSliderWithLineEditAdaptor(slider, edit);
    case 530:
        return new GovStartThrottleWithLineEditAdaptor(slider, edit);
    case 531:
        return new GovScrollUpWithLineEditAdaptor(slider, edit);
    default:
        return new SliderWithLineEditAdaptor(slider, edit);
    }
}

AbstractFieldAdaptor* ModelBuilder::createSpecialAdaptor(int address) const
{
    Ui_MainWidget* w = m_window;
    if (!w)
        return nullptr;

    switch (address) {
    case 101: {
        auto* adaptor = new RxTypeComboBoxAdaptor(w->cbReceiverType);
        adaptor->setSatelliteComboBox(w->cbSatelliteType);
        QObject::connect(w->cbSatelliteType, SIGNAL(activated(int)), adaptor,
                         SLOT(cbStellite_activated(int)));
        return adaptor;
    }
    case 104:
        return new ComboBoxAdaptor(w->cbBankconfigCH);
    case 111:
        return rxMonitorAdaptor(w->rxViewRight, RxMonitorAdaptor::Horizontal);
    case 112:
        return rxMonitorAdaptor(w->rxViewRight, RxMonitorAdaptor::Vertical);
    case 114:
        return rxMonitorAdaptor(w->rxViewLeft, RxMonitorAdaptor::Horizontal);
    case 116:
        return rxMonitorAdaptor(w->rxViewLeft, RxMonitorAdaptor::Vertical);
    case 122: {
        auto* adaptor = new FlyStyleAdaptor(w->flyStyleView);
        QObject::connect(w->flyStyleView, SIGNAL(_valueChanged(int)), adaptor,
                         SLOT(flyStyleValueChanged(int)));
        return adaptor;
    }
    case 140: {
        auto* adaptor = new SwashTrimCollectiveAdaptor(w->swashTrimCollective);
        QObject::connect(w->swashTrimCollective, SIGNAL(_trimValueChanged(int)), adaptor,
                         SLOT(trimValueChanged(int)));
        QObject::connect(w->swashTrimCollective, SIGNAL(_resetValue(int)), adaptor,
                         SLOT(resetValue(int)));
        return adaptor;
    }
    case 211:
        return new ServoAngleAdaptor(w->swashView);
    case 217:
    case 218:
    case 219:
    case 220: {
        auto* adaptor = new SwashTrimCyclicMonitorAdaptor(w->swashTrimCyclic);
        adaptor->setChannel(address);
        return adaptor;
    }
    case 222:
        return cyclicTrimAdaptor(w->swashTrimCyclic, SwashTrimCyclic::Aileron,
                                 SwashTrimCyclic::Positive);
    case 223:
        return cyclicTrimAdaptor(w->swashTrimCyclic, SwashTrimCyclic::Aileron,
                                 SwashTrimCyclic::Negative);
    case 225:
        return cyclicTrimAdaptor(w->swashTrimCyclic, SwashTrimCyclic::Elevator,
                                 SwashTrimCyclic::Positive);
    case 226:
        return cyclicTrimAdaptor(w->swashTrimCyclic, SwashTrimCyclic::Elevator,
                                 SwashTrimCyclic::Negative);
    case 227:
        return cyclicTrimAdaptor(w->swashTrimCyclic, SwashTrimCyclic::Pitch,
                                 SwashTrimCyclic::Positive);
    case 228:
        return cyclicTrimAdaptor(w->swashTrimCyclic, SwashTrimCyclic::Pitch,
                                 SwashTrimCyclic::Negative);
    case 451:
        return new LabelAdaptorGPSStatus(w->gpsHomeFixed);
    case 500:
        return new LabelAdaptorGPSCompass(w->compassValueLabel);
    case 524:
        return rpmAdaptor(w->editRPM1);
    case 533:
        return rpmAdaptor(w->editRPM2);
    case 534:
        return rpmAdaptor(w->editRPM3);
    case 1524:
        return rpmAdaptor(w->bank1_rpm_edit);
    case 1533:
        return rpmAdaptor(w->bank2_rpm_edit);
    case 1534:
        return rpmAdaptor(w->bank3_rpm_edit);
    case 525:
        return new GearRatioLineEditAdaptor(w->editGearRatio);
    case 535:
        return new ComboBoxAdaptor(w->rpmType);
    default:
        return nullptr;
    }
}

AbstractFieldAdaptor* ModelBuilder::createAdaptorByType(int address, QObject* widget) const
{
    // The custom ButtonGroup is a QButtonGroup too, so it must be tested first.
    if (qobject_cast<QLineEdit*>(widget))
        return new LineEditAdaptor(widget);
    if (qobject_cast<QSlider*>(widget))
        return new SliderAdaptor(widget);
    if (qobject_cast<QCheckBox*>(widget))
        return new CheckBoxAdaptor(widget);
    if (qobject_cast<QComboBox*>(widget))
        return new ComboBoxAdaptor(widget);
    if (auto* slider = qobject_cast<DoubleDirectSlider*>(widget))
        return new DoubleDirectSliderAdaptor(slider->getSlider(), slider->getLineEdit());
    if (qobject_cast<ButtonGroup*>(widget))
        return new ButtonGroupWithVerifyAdaptor(widget);
    if (qobject_cast<QButtonGroup*>(widget))
        return new ButtonGroupAdaptor(widget);
    if (qobject_cast<QToolButton*>(widget))
        return new CheckableButtonWithVerifyAdaptor(widget);
    if (qobject_cast<QLabel*>(widget))
        return new LabelAdaptorVBEC(widget);

    qDebug() << address;
    return nullptr;
}
