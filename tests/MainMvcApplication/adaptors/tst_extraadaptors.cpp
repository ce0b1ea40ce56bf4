// The program's own adaptors on their real widgets: conversions both ways, the
// confirmation protocol of the verify adaptors, the cyclic trims' filter, the receiver
// monitor's first value, and the live displays that must show every raw value.

#include "adaptormodel.h"
#include "extraadaptors.h"

#include <buttongroup.h>
#include <flystyleview.h>
#include <rxmonitorview.h>
#include <swashtrimcollective.h>
#include <swashtrimcyclic.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

namespace {

// The (address, value, flag) triples that came out of an adaptor model.
QList<QList<QVariant>> emitted(const QSignalSpy& spy)
{
    QList<QList<QVariant>> all;
    for (const QList<QVariant>& args : spy)
        all.append(args);
    return all;
}

// Replaces an edit's text the way a user does and presses Return.
void enter(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

enum class SliderKind { DoubleDirect, MotorOff, StartThrottle, ScrollUp };

} // namespace

Q_DECLARE_METATYPE(SliderKind)

class TestExtraAdaptors : public QObject
{
    Q_OBJECT

private slots:
    void gearRatioText_data();
    void gearRatioText();
    void gearRatioValue_data();
    void gearRatioValue();
    void gearRatioSendsOnReturn();

    void divideEditRounds_data();
    void divideEditRounds();
    void divideEditShowsMultiple();
    void divideEditRevertsToRoundedText();

    void sliderConversions_data();
    void sliderConversions();
    void doubleDirectCentreSendsHundred();

    void receiverType_data();
    void receiverType();
    void satelliteChoiceSendsSatelliteType();

    void verifyGroupClick_data();
    void verifyGroupClick();
    void verifyGroupIgnoresConfirmedButton();
    void verifyGroupRemembersUnitValue_data();
    void verifyGroupRemembersUnitValue();
    void verifyButtonClick_data();
    void verifyButtonClick();

    void cyclicTrimReachesOnlyItsOwn_data();
    void cyclicTrimReachesOnlyItsOwn();
    void cyclicTrimClearIsOneBlockingBatch();
    void trimsShowEveryRawValue_data();
    void trimsShowEveryRawValue();
    void collectiveTrimReset();

    void monitorFirstValueOnlyPlaces();
    void liveLabels_data();
    void liveLabels();
    void flyStyle();
};

// ---------------------------------------------------------------------------------------
// Gear ratio

void TestExtraAdaptors::gearRatioText_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("text");
    QTest::newRow("hundredths only") << 5 << "00.05";
    QTest::newRow("two digits each") << 1250 << "12.50";
    QTest::newRow("fraction padded") << 905 << "09.05";
    QTest::newRow("form default") << 1000 << "10.00";
    QTest::newRow("zero") << 0 << "00.00";
    QTest::newRow("largest ratio") << 9999 << "99.99";
    QTest::newRow("negative keeps one sign") << -150 << "-01.50";
}

void TestExtraAdaptors::gearRatioText()
{
    QFETCH(int, raw);
    QFETCH(QString, text);
    QLineEdit edit;
    GearRatioLineEditAdaptor adaptor(&edit);
    QSignalSpy sent(&adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    if (raw == 1250)
        QTest::ignoreMessage(QtDebugMsg, "Gov 1250");
    adaptor.setValue(raw);
    QCOMPARE(edit.text(), text);
    QCOMPARE(sent.count(), 0);
    if (raw >= 0)
        QCOMPARE(adaptor.getValue().toInt(), raw);
}

void TestExtraAdaptors::gearRatioValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("raw");
    QTest::newRow("whole number") << "7" << 700;
    QTest::newRow("one decimal is tenths") << "7.5" << 750;
    QTest::newRow("two decimals") << "7.05" << 705;
    QTest::newRow("comma") << "12,50" << 1250;
    QTest::newRow("comma, one decimal") << "12,5" << 1250;
    QTest::newRow("trailing point") << "12." << 1200;
    QTest::newRow("no whole part") << ".5" << 50;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("garbage") << "abc" << 0;
}

void TestExtraAdaptors::gearRatioValue()
{
    QFETCH(QString, text);
    QFETCH(int, raw);
    QLineEdit edit(text);
    GearRatioLineEditAdaptor adaptor(&edit);
    QCOMPARE(adaptor.getValue().toInt(), raw);
}

void TestExtraAdaptors::gearRatioSendsOnReturn()
{
    QLineEdit edit(QStringLiteral("10.00"));
    GearRatioLineEditAdaptor adaptor(&edit);
    QSignalSpy sent(&adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    QTest::keyClicks(&edit, QStringLiteral("x"));
    QVERIFY(adaptor.isReadOnly());
    QCOMPARE(sent.count(), 0);
    enter(&edit, QStringLiteral("8.5"));
    QVERIFY(!adaptor.isReadOnly());
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), 850);
}

// ---------------------------------------------------------------------------------------
// Divided edits (head speeds)

void TestExtraAdaptors::divideEditRounds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("sent");
    QTest::addColumn<QString>("shown");
    QTest::newRow("rounds down") << "1234" << 123 << "1230";
    QTest::newRow("half goes up") << "1235" << 124 << "1240";
    QTest::newRow("rounds up") << "1236" << 124 << "1240";
    QTest::newRow("exact") << "2500" << 250 << "2500";
    QTest::newRow("small half") << "5" << 1 << "10";
    QTest::newRow("below half") << "4" << 0 << "0";
    QTest::newRow("garbage") << "rpm" << 0 << "0";
}

void TestExtraAdaptors::divideEditRounds()
{
    QFETCH(QString, typed);
    QFETCH(int, sent);
    QFETCH(QString, shown);
    QLineEdit edit(QStringLiteral("2500"));
    GenericDivideLineEditAdaptor adaptor(&edit);
    adaptor.setDivisor(10);
    QSignalSpy spy(&adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    enter(&edit, typed);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), sent);
    QCOMPARE(edit.text(), shown);
}

void TestExtraAdaptors::divideEditShowsMultiple()
{
    QLineEdit edit;
    AdaptorModel model;
    auto* adaptor = new GenericDivideLineEditAdaptor(&edit);
    adaptor->setDivisor(10);
    model.addAdaptor(524, adaptor);
    QSignalSpy sent(&model, &AdaptorModel::_adaptorValueChanged);

    model.setAdaptorValue(524, 123);
    QCOMPARE(edit.text(), QStringLiteral("1230"));
    QCOMPARE(model.value(524), 123);
    QCOMPARE(sent.count(), 0);
}

// After a rounded entry is sent, an abandoned later edit returns to what was sent.
void TestExtraAdaptors::divideEditRevertsToRoundedText()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(QStringLiteral("2500"), &window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    GenericDivideLineEditAdaptor adaptor(edit);
    adaptor.setDivisor(10);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(edit->hasFocus());

    enter(edit, QStringLiteral("1234"));
    QCOMPARE(edit->text(), QStringLiteral("1230"));
    QTest::keyClicks(edit, QStringLiteral("9"));
    other->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("1230"));
    QVERIFY(!adaptor.isReadOnly());
}

// ---------------------------------------------------------------------------------------
// Slider-with-edit variants

void TestExtraAdaptors::sliderConversions_data()
{
    QTest::addColumn<SliderKind>("kind");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("slider");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("sent");

    QTest::newRow("double direction: raw 0 is the low end")
            << SliderKind::DoubleDirect << -100 << 100 << 0 << -100 << "-20" << 80;
    QTest::newRow("double direction: top")
            << SliderKind::DoubleDirect << -100 << 100 << 200 << 100 << "0" << 100;
    QTest::newRow("double direction: beyond the range is clamped")
            << SliderKind::DoubleDirect << -100 << 100 << 260 << 100 << "150" << 200;
    QTest::newRow("motor off: negated")
            << SliderKind::MotorOff << -150 << -50 << 120 << -120 << "-60" << 60;
    QTest::newRow("motor off: lowest level on the right")
            << SliderKind::MotorOff << -150 << -50 << 50 << -50 << "-150" << 150;
    QTest::newRow("start throttle: as is")
            << SliderKind::StartThrottle << 0 << 30 << 12 << 12 << "30" << 30;
    QTest::newRow("scroll up: as is") << SliderKind::ScrollUp << 1 << 5 << 4 << 4 << "2" << 2;
}

void TestExtraAdaptors::sliderConversions()
{
    QFETCH(SliderKind, kind);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, raw);
    QFETCH(int, slider);
    QFETCH(QString, typed);
    QFETCH(int, sent);

    QWidget window;
    auto* s = new QSlider(Qt::Horizontal, &window);
    s->setRange(min, max);
    s->setValue((min + max) / 2);
    auto* edit = new QLineEdit(&window);
    std::unique_ptr<SliderWithLineEditAdaptor> adaptor;
    switch (kind) {
    case SliderKind::DoubleDirect:
        adaptor.reset(new DoubleDirectSliderAdaptor(s, edit));
        break;
    case SliderKind::MotorOff:
        adaptor.reset(new GovMotorOffSliderWithLineEditAdaptor(s, edit));
        break;
    case SliderKind::StartThrottle:
        adaptor.reset(new GovStartThrottleWithLineEditAdaptor(s, edit));
        break;
    case SliderKind::ScrollUp:
        adaptor.reset(new GovScrollUpWithLineEditAdaptor(s, edit));
        break;
    }
    QSignalSpy spy(adaptor.get(), &AbstractFieldAdaptor::_adaptorValueChanged);

    adaptor->setValue(raw);
    QCOMPARE(s->value(), slider);
    QCOMPARE(edit->text(), QString::number(slider));
    QCOMPARE(spy.count(), 0);

    enter(edit, typed);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), sent);
    QCOMPARE(adaptor->getValue().toInt(), sent);
}

void TestExtraAdaptors::doubleDirectCentreSendsHundred()
{
    QSlider slider(Qt::Vertical);
    slider.setRange(-100, 100);
    QLineEdit edit(QStringLiteral("0"));
    DoubleDirectSliderAdaptor adaptor(&slider, &edit);
    QSignalSpy spy(&adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    // Pressing and letting go of the handle at the centre.
    slider.setSliderDown(true);
    slider.setSliderDown(false);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 100);
}

// ---------------------------------------------------------------------------------------
// Receiver type with its satellite combo

namespace {
struct ReceiverCombos
{
    ReceiverCombos()
    {
        auto* layout = new QVBoxLayout(&window);
        receiver = new QComboBox(&window);
        satellite = new QComboBox(&window);
        layout->addWidget(receiver);
        layout->addWidget(satellite);
        const QList<QPair<QString, int>> types = {
                {"Traditional Receiver", 1},  {"PPM", 3},           {"S-Bus", 2},
                {"SRXL/SUMD/IBUS/Xbus-B", 6}, {"ExBus/VoraBus", 7}, {"DSM2/DSMX Satellite", 0}};
        for (const auto& type : types)
            receiver->addItem(type.first, type.second);
        satellite->addItem("DSM2", 4);
        satellite->addItem("DSMX", 5);
        // Bound the way the model builder binds them.
        adaptor.reset(new RxTypeComboBoxAdaptor(receiver));
        adaptor->setSatelliteComboBox(satellite);
        QObject::connect(satellite, SIGNAL(activated(int)), adaptor.get(),
                         SLOT(cbStellite_activated(int)));
    }

    QWidget window;
    QComboBox* receiver;
    QComboBox* satellite;
    std::unique_ptr<RxTypeComboBoxAdaptor> adaptor;
};
} // namespace

void TestExtraAdaptors::receiverType_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("receiverIndex");
    QTest::addColumn<int>("satelliteIndex");
    QTest::addColumn<int>("value");
    // Starting from PPM (index 1) and DSM2 (index 0).
    QTest::newRow("DSMX selects the satellite entry") << 5 << 5 << 1 << 5;
    QTest::newRow("DSM2 selects the satellite entry") << 4 << 5 << 0 << 4;
    QTest::newRow("S-Bus by data, not by index") << 2 << 2 << 0 << 2;
    QTest::newRow("traditional") << 1 << 0 << 0 << 1;
    QTest::newRow("unknown type changes nothing") << 9 << 1 << 0 << 3;
}

void TestExtraAdaptors::receiverType()
{
    QFETCH(int, raw);
    QFETCH(int, receiverIndex);
    QFETCH(int, satelliteIndex);
    QFETCH(int, value);
    ReceiverCombos combos;
    combos.receiver->setCurrentIndex(1);
    QSignalSpy spy(combos.adaptor.get(), &AbstractFieldAdaptor::_adaptorValueChanged);

    combos.adaptor->setValue(raw);
    QCOMPARE(combos.receiver->currentIndex(), receiverIndex);
    QCOMPARE(combos.satellite->currentIndex(), satelliteIndex);
    QCOMPARE(combos.adaptor->getValue().toInt(), value);
    QCOMPARE(spy.count(), 0);
}

void TestExtraAdaptors::satelliteChoiceSendsSatelliteType()
{
    ReceiverCombos combos;
    combos.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combos.window));
    QSignalSpy spy(combos.adaptor.get(), &AbstractFieldAdaptor::_adaptorValueChanged);

    combos.adaptor->setValue(5);
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(combos.satellite, Qt::Key_Up);
    QCOMPARE(combos.satellite->currentData().toInt(), 4);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 4);

    // Choosing a plain receiver sends its own type.
    QTest::keyClick(combos.receiver, Qt::Key_Home);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 1);
}

// ---------------------------------------------------------------------------------------
// Verify adaptors

namespace {
// A group of picture buttons as the window makes them: the first confirmed, the fourth
// present but not checkable.
struct VerifyGroup
{
    VerifyGroup()
    {
        auto* layout = new QVBoxLayout(&window);
        group = new ButtonGroup(QString(), &window);
        for (int id = 1; id <= 4; ++id) {
            auto* button = new QToolButton(&window);
            button->setText(QString::number(id));
            button->setCheckable(id != 4);
            layout->addWidget(button);
            group->addButton(button, id);
        }
        group->button(1)->setChecked(true);
        group->setLastButtonChecked(group->button(1));
        adaptor = new ButtonGroupWithVerifyAdaptor(group);
        QObject::connect(
                adaptor, &ButtonGroupWithVerifyAdaptor::_buttonClicked, adaptor,
                [this](QObject* field, int id, bool* accepted) {
                    asked.append(id);
                    askedField = field;
                    readOnlyWhileAsked = adaptor->isReadOnly();
                    *accepted = answer;
                },
                Qt::DirectConnection);
        window.show();
    }
    ~VerifyGroup() { delete adaptor; }

    void click(int id) { QTest::mouseClick(group->button(id), Qt::LeftButton); }

    QWidget window;
    ButtonGroup* group;
    ButtonGroupWithVerifyAdaptor* adaptor;
    bool answer = false;
    QList<int> asked;
    QObject* askedField = nullptr;
    bool readOnlyWhileAsked = false;
};
} // namespace

void TestExtraAdaptors::verifyGroupClick_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("checked");
    QTest::addColumn<int>("confirmed");
    QTest::addColumn<int>("sends");
    QTest::newRow("accepted") << true << 3 << 3 << 1;
    QTest::newRow("refused") << false << 1 << 1 << 0;
}

void TestExtraAdaptors::verifyGroupClick()
{
    QFETCH(bool, answer);
    QFETCH(int, checked);
    QFETCH(int, confirmed);
    QFETCH(int, sends);
    VerifyGroup g;
    QVERIFY(QTest::qWaitForWindowExposed(&g.window));
    g.answer = answer;
    QSignalSpy spy(g.adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    g.click(3);
    QCOMPARE(g.asked, QList<int>{3});
    QCOMPARE(g.askedField, static_cast<QObject*>(g.group));
    QVERIFY(g.readOnlyWhileAsked);
    QVERIFY(!g.adaptor->isReadOnly());
    QCOMPARE(g.group->checkedId(), checked);
    QCOMPARE(g.group->lastButtonCheckedId(), confirmed);
    QCOMPARE(spy.count(), sends);
    if (sends)
        QCOMPARE(spy.at(0).at(0).toInt(), 3);
}

void TestExtraAdaptors::verifyGroupIgnoresConfirmedButton()
{
    VerifyGroup g;
    g.answer = true;
    QSignalSpy spy(g.adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);
    g.click(1);
    QVERIFY(g.asked.isEmpty());
    QCOMPARE(spy.count(), 0);
    QCOMPARE(g.group->checkedId(), 1);
}

// A refusal returns to what the unit holds, as last received, and only a value that a
// button really shows replaces the confirmed choice.
void TestExtraAdaptors::verifyGroupRemembersUnitValue_data()
{
    QTest::addColumn<int>("fromUnit");
    QTest::addColumn<int>("confirmed");
    QTest::newRow("known id") << 2 << 2;
    QTest::newRow("unknown id") << 9 << 1;
    QTest::newRow("button that cannot be checked") << 4 << 1;
}

void TestExtraAdaptors::verifyGroupRemembersUnitValue()
{
    QFETCH(int, fromUnit);
    QFETCH(int, confirmed);
    VerifyGroup g;
    QSignalSpy spy(g.adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    g.adaptor->setValue(fromUnit);
    QCOMPARE(g.group->lastButtonCheckedId(), confirmed);
    QCOMPARE(g.group->checkedId(), confirmed);
    g.answer = false;
    g.click(3);
    QCOMPARE(g.group->checkedId(), confirmed);
    QCOMPARE(spy.count(), 0);
}

void TestExtraAdaptors::verifyButtonClick_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("checkedAfter");
    QTest::addColumn<int>("sends");
    QTest::newRow("accepted") << true << false << 1;
    QTest::newRow("refused") << false << true << 0;
}

void TestExtraAdaptors::verifyButtonClick()
{
    QFETCH(bool, answer);
    QFETCH(bool, checkedAfter);
    QFETCH(int, sends);
    QToolButton button;
    button.setCheckable(true);
    button.setChecked(true);
    button.show();
    CheckableButtonWithVerifyAdaptor adaptor(&button);
    bool askedChecked = true;
    bool readOnlyWhileAsked = false;
    int asked = 0;
    connect(
            &adaptor, &CheckableButtonWithVerifyAdaptor::_clicked, this,
            [&](QObject* field, bool checked, bool* accepted) {
                ++asked;
                QCOMPARE(field, static_cast<QObject*>(&button));
                askedChecked = checked;
                readOnlyWhileAsked = adaptor.isReadOnly();
                *accepted = answer;
            },
            Qt::DirectConnection);
    QSignalSpy spy(&adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(asked, 1);
    QVERIFY(!askedChecked);
    QVERIFY(readOnlyWhileAsked);
    QVERIFY(!adaptor.isReadOnly());
    QCOMPARE(button.isChecked(), checkedAfter);
    QCOMPARE(spy.count(), sends);
    if (sends)
        QCOMPARE(spy.at(0).at(0).toInt(), 0);
}

// ---------------------------------------------------------------------------------------
// Swash trims

namespace {
// The six cyclic trims, bound and registered as the unit numbers them.
struct CyclicTrims
{
    CyclicTrims()
    {
        trim.setTrimRange(-100, 100);
        trim.resize(trim.sizeHint());
        const int bindings[6][3] = {{222, 0, 0}, {223, 0, 1}, {225, 1, 0},
                                    {226, 1, 1}, {227, 2, 0}, {228, 2, 1}};
        for (const auto& b : bindings) {
            auto* adaptor = new SwashTrimCyclicAdaptor(&trim);
            adaptor->setType(b[1]);
            adaptor->setDirection(b[2]);
            QObject::connect(&trim, SIGNAL(_trimValueChanged(int, int, int, bool)), adaptor,
                             SLOT(trimValueChanged(int, int, int, bool)));
            model.addAdaptor(b[0], adaptor);
        }
    }
    SwashTrimCyclic trim;
    AdaptorModel model;
};
} // namespace

void TestExtraAdaptors::cyclicTrimReachesOnlyItsOwn_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("address");
    QTest::newRow("aileron +") << 0 << 0 << 222;
    QTest::newRow("aileron -") << 0 << 1 << 223;
    QTest::newRow("elevator +") << 1 << 0 << 225;
    QTest::newRow("elevator -") << 1 << 1 << 226;
    QTest::newRow("pitch +") << 2 << 0 << 227;
    QTest::newRow("pitch -") << 2 << 1 << 228;
}

void TestExtraAdaptors::cyclicTrimReachesOnlyItsOwn()
{
    QFETCH(int, type);
    QFETCH(int, direction);
    QFETCH(int, address);
    CyclicTrims t;
    QSignalSpy spy(&t.model, &AdaptorModel::_adaptorValueChanged);

    QAbstractButton* plus =
            t.trim.stepButton(static_cast<SwashTrimCyclic::TrimType>(type),
                              static_cast<SwashTrimCyclic::TrimDirection>(direction), +1);
    QVERIFY(plus);
    plus->click();
    plus->click();
    QCOMPARE(emitted(spy), (QList<QList<QVariant>>{{address, 101, false}, {address, 102, false}}));
    QCOMPARE(t.model.value(address), 102);
}

void TestExtraAdaptors::cyclicTrimClearIsOneBlockingBatch()
{
    CyclicTrims t;
    t.model.setAdaptorValue(222, 150);
    t.model.setAdaptorValue(228, 20);
    QSignalSpy spy(&t.model, &AdaptorModel::_adaptorValueChanged);

    t.trim.clearButton()->click();
    QCOMPARE(spy.count(), 6);
    QSet<int> addresses;
    for (const QList<QVariant>& args : spy) {
        addresses.insert(args.at(0).toInt());
        QCOMPARE(args.at(1).toInt(), 100);
        QCOMPARE(args.at(2).toBool(), true);
    }
    QCOMPARE(addresses, (QSet<int>{222, 223, 225, 226, 227, 228}));
}

// A raw 0 is a trim of -100; it must reach the widget after any other value, which it
// would not if the adaptors' value were a constant 0.
void TestExtraAdaptors::trimsShowEveryRawValue_data()
{
    QTest::addColumn<int>("address");
    QTest::newRow("cyclic") << 226;
    QTest::newRow("collective") << 140;
}

void TestExtraAdaptors::trimsShowEveryRawValue()
{
    QFETCH(int, address);
    CyclicTrims t;
    SwashTrimCollective collective;
    collective.setTrimRange(-100, 100);
    auto* collectiveAdaptor = new SwashTrimCollectiveAdaptor(&collective);
    t.model.addAdaptor(140, collectiveAdaptor);
    auto shown = [&] {
        return address == 140
                       ? collective.trimValue()
                       : t.trim.trimValue(SwashTrimCyclic::Elevator, SwashTrimCyclic::Negative);
    };

    QCOMPARE(t.model.value(address), 100);
    for (int raw : {150, 0, 100, 0, 200}) {
        t.model.setAdaptorValue(address, raw);
        QCOMPARE(shown(), raw - 100);
        QCOMPARE(t.model.value(address), raw);
    }
}

void TestExtraAdaptors::collectiveTrimReset()
{
    SwashTrimCollective collective;
    collective.setTrimRange(-100, 100);
    collective.resize(collective.sizeHint());
    AdaptorModel model;
    auto* adaptor = new SwashTrimCollectiveAdaptor(&collective);
    QObject::connect(&collective, SIGNAL(_trimValueChanged(int)), adaptor,
                     SLOT(trimValueChanged(int)));
    QObject::connect(&collective, SIGNAL(_resetValue(int)), adaptor, SLOT(resetValue(int)));
    model.addAdaptor(140, adaptor);
    QSignalSpy values(&model, &AdaptorModel::_adaptorValueChanged);
    QSignalSpy resets(&model, &AdaptorModel::_resetValue);

    collective.stepButton(-1)->click();
    QCOMPARE(emitted(values), (QList<QList<QVariant>>{{140, 99, false}}));
    collective.clearButton()->click();
    QCOMPARE(emitted(resets),
             (QList<QList<QVariant>>{{10, SwashTrimCollective::ResetCommand, false}}));
    QCOMPARE(values.count(), 1);
}

// ---------------------------------------------------------------------------------------
// Live displays

void TestExtraAdaptors::monitorFirstValueOnlyPlaces()
{
    RxMonitorView view(190, 190, 18, 18);
    view.setRangeValue(920, 2120);
    AdaptorModel model;
    auto* horizontal = new RxMonitorAdaptor(&view);
    horizontal->setAxis(0);
    auto* vertical = new RxMonitorAdaptor(&view);
    vertical->setAxis(1);
    auto* stray = new RxMonitorAdaptor(&view);
    stray->setAxis(2);
    model.addAdaptor(111, horizontal);
    model.addAdaptor(112, vertical);
    model.addAdaptor(113, stray);
    QSignalSpy moved(&view, &RxMonitorView::_sensorValueChanged);

    model.setAdaptorValue(111, 1500);
    QCOMPARE(view.xValue, 1500.0);
    QVERIFY(view.valueArrived);
    QCOMPARE(moved.count(), 0);

    model.setAdaptorValue(112, 1700);
    QCOMPARE(view.yValue, 1700.0);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toInt(), 1500);
    QCOMPARE(moved.at(0).at(1).toInt(), 1700);

    model.setAdaptorValue(113, 2000);
    QCOMPARE(view.xValue, 1500.0);
    QCOMPARE(view.yValue, 1700.0);
    QCOMPARE(moved.count(), 1);

    // A repeated reading still arrives (the value is never taken as already shown).
    model.setAdaptorValue(111, 1500);
    QCOMPARE(moved.count(), 2);
}

void TestExtraAdaptors::liveLabels_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("GPS fix comes and goes")
            << 451 << QList<int>{7, 0, 1, 12, 0}
            << QStringList{"Fixed (7 sats)", "Not Fixed", "Fixed (1 sat)", "Fixed (12 sats)",
                           "Not Fixed"};
    QTest::newRow("compass back to north") << 500 << QList<int>{123, 0, 3599, 5, 0}
                                           << QStringList{"12.3", "0.0", "359.9", "0.5", "0.0"};
    QTest::newRow("supply voltage") << 100 << QList<int>{74, 120, 5}
                                    << QStringList{"VBEC: 7.40 V", "VBEC: 12.00 V", "VBEC: 0.50 V"};
}

void TestExtraAdaptors::liveLabels()
{
    QFETCH(int, address);
    QFETCH(QList<int>, values);
    QFETCH(QStringList, texts);
    QLabel label(address == 451 ? "Not Fixed" : address == 500 ? "0.0" : "VBEC: 0.0V");
    AdaptorModel model;
    AbstractFieldAdaptor* adaptor = nullptr;
    if (address == 451)
        adaptor = new LabelAdaptorGPSStatus(&label);
    else if (address == 500)
        adaptor = new LabelAdaptorGPSCompass(&label);
    else
        adaptor = new LabelAdaptorVBEC(&label);
    model.addAdaptor(address, adaptor);

    for (int i = 0; i < values.size(); ++i) {
        model.setAdaptorValue(address, values.at(i));
        QCOMPARE(label.text(), texts.at(i));
    }
}

void TestExtraAdaptors::flyStyle()
{
    FlyStyleView view;
    view.resize(view.sizeHint());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    AdaptorModel model;
    auto* adaptor = new FlyStyleAdaptor(&view);
    QObject::connect(&view, SIGNAL(_valueChanged(int)), adaptor, SLOT(flyStyleValueChanged(int)));
    model.addAdaptor(122, adaptor);
    QSignalSpy spy(&model, &AdaptorModel::_adaptorValueChanged);

    model.setAdaptorValue(122, 3);
    QCOMPARE(view.getValue(), 3);
    QCOMPARE(spy.count(), 0);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, view.styleRect(1).center());
    QCOMPARE(emitted(spy), (QList<QList<QVariant>>{{122, 1, false}}));
    QCOMPARE(model.value(122), 1);
}

QTEST_MAIN(TestExtraAdaptors)
#include "tst_extraadaptors.moc"
