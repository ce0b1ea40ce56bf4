// The slider-with-edit adaptors: the edit follows the slider in each display form, and
// typed entries move the slider (clamped) and send the slider's value exactly once.

#include "genericmultiplesliderwithlineeditadaptor.h"
#include "lineeditadaptor.h"
#include "sliderwithlineeditadaptor.h"
#include "vbecsliderwithlineeditadaptor.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace {

enum class Kind { Plain, VBec, Times5 };

struct Fixture
{
    Fixture(Kind kind, int min, int max)
    {
        auto* layout = new QVBoxLayout(&window);
        slider = new QSlider(Qt::Horizontal, &window);
        slider->setRange(min, max);
        edit = new QLineEdit(&window);
        other = new QLineEdit(&window);
        layout->addWidget(slider);
        layout->addWidget(edit);
        layout->addWidget(other);
        switch (kind) {
        case Kind::Plain:
            adaptor = new SliderWithLineEditAdaptor(slider, edit);
            break;
        case Kind::VBec:
            adaptor = new VBecSliderWithLineEditAdaptor(slider, edit);
            break;
        case Kind::Times5:
            adaptor = new GenericMultipleSliderWithLineEditAdaptor(slider, edit, 5);
            break;
        }
    }
    ~Fixture() { delete adaptor; }

    // Types into the edit as the user would and presses Return.
    void enter(const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QWidget window;
    QSlider* slider;
    QLineEdit* edit;
    QLineEdit* other;
    QPointer<SliderAdaptor> adaptor;
};

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestSliderWithLineEditAdaptor : public QObject
{
    Q_OBJECT

private slots:
    void editFollowsSlider_data();
    void editFollowsSlider();
    void typedEntryMovesSlider_data();
    void typedEntryMovesSlider();
    void supplyVoltageFromText_data();
    void supplyVoltageFromText();
    void dragSendsOnceWhileEditFollows();
    void deviceValueOverwritesTyping();
    void abandonedEntryRevertsToSliderValue();
    void zeroMultipleDoesNotDivideByZero();
    void destroyedWidgetsAreHarmless();
};

void TestSliderWithLineEditAdaptor::editFollowsSlider_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << Kind::Plain << 42 << "42";
    QTest::newRow("plain negative") << Kind::Plain << -17 << "-17";
    QTest::newRow("volts") << Kind::VBec << 74 << "7.4";
    QTest::newRow("volts whole") << Kind::VBec << 80 << "8.0";
    QTest::newRow("volts tenth") << Kind::VBec << 1 << "0.1";
    QTest::newRow("times 5") << Kind::Times5 << 12 << "60";
    QTest::newRow("times 5 negative") << Kind::Times5 << -3 << "-15";
}

void TestSliderWithLineEditAdaptor::editFollowsSlider()
{
    QFETCH(Kind, kind);
    QFETCH(int, value);
    QFETCH(QString, shown);
    Fixture f(kind, -100, 200);
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);

    f.adaptor->setValue(value);

    QCOMPARE(f.edit->text(), shown);
    QCOMPARE(f.adaptor->getValue().toInt(), value);
    QCOMPARE(sent.count(), 0);
}

void TestSliderWithLineEditAdaptor::typedEntryMovesSlider_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("plain") << Kind::Plain << 0 << 255 << 10 << "130" << 130 << "130";
    QTest::newRow("plain above max") << Kind::Plain << 0 << 255 << 10 << "300" << 255 << "255";
    QTest::newRow("plain below min") << Kind::Plain << 20 << 255 << 30 << "-4" << 20 << "20";
    QTest::newRow("plain unparsable") << Kind::Plain << 10 << 100 << 50 << "x1" << 10 << "10";
    // The slider does not change, so the text stays as typed.
    QTest::newRow("plain same value") << Kind::Plain << 0 << 255 << 50 << "050" << 50 << "050";

    QTest::newRow("volts") << Kind::VBec << 0 << 200 << 50 << "7.4" << 74 << "7.4";
    QTest::newRow("volts truncated") << Kind::VBec << 0 << 200 << 50 << "7.45" << 74 << "7.4";
    QTest::newRow("volts float below tenth") << Kind::VBec << 0 << 200 << 50 << "0.7" << 6 << "0.6";
    QTest::newRow("volts whole") << Kind::VBec << 0 << 200 << 50 << "8" << 80 << "8.0";
    QTest::newRow("volts comma") << Kind::VBec << 30 << 200 << 50 << "7,4" << 30 << "3.0";
    QTest::newRow("volts above max") << Kind::VBec << 0 << 120 << 50 << "20" << 120 << "12.0";

    QTest::newRow("times 5") << Kind::Times5 << 0 << 100 << 3 << "60" << 12 << "60";
    QTest::newRow("times 5 truncated") << Kind::Times5 << 0 << 100 << 3 << "64" << 12 << "60";
    QTest::newRow("times 5 toward zero") << Kind::Times5 << -10 << 10 << 3 << "-7" << -1 << "-5";
}

void TestSliderWithLineEditAdaptor::typedEntryMovesSlider()
{
    QFETCH(Kind, kind);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(QString, typed);
    QFETCH(int, value);
    QFETCH(QString, shown);
    Fixture f(kind, min, max);
    f.adaptor->setValue(start);
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);

    f.enter(typed);

    QCOMPARE(f.slider->value(), value);
    QCOMPARE(f.edit->text(), shown);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), value);
    QCOMPARE(sent.at(0).at(1).toBool(), false);
    QVERIFY(!f.adaptor->isReadOnly());
}

void TestSliderWithLineEditAdaptor::supplyVoltageFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("7.4") << "7.4" << 74;
    QTest::newRow("7.45") << "7.45" << 74;
    QTest::newRow("0.7") << "0.7" << 6;
    QTest::newRow("-0.7") << "-0.7" << -6;
    QTest::newRow("12.99") << "12.99" << 129;
    QTest::newRow("garbage") << "volts" << 0;
}

void TestSliderWithLineEditAdaptor::supplyVoltageFromText()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(VBecSliderWithLineEditAdaptor::sliderValueFromText(text), value);
}

void TestSliderWithLineEditAdaptor::dragSendsOnceWhileEditFollows()
{
    Fixture f(Kind::VBec, 0, 200);
    f.adaptor->setValue(50);
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);

    f.slider->setSliderDown(true);
    f.slider->setSliderPosition(60);
    QCOMPARE(f.edit->text(), QString("6.0"));
    f.slider->setSliderPosition(74);
    QCOMPARE(f.edit->text(), QString("7.4"));
    QCOMPARE(sent.count(), 0);
    f.slider->setSliderDown(false);

    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), 74);
}

// The outer adaptor is not busy while its edit is typed in, so a new device value wins.
void TestSliderWithLineEditAdaptor::deviceValueOverwritesTyping()
{
    Fixture f(Kind::Plain, 0, 255);
    f.adaptor->setValue(50);
    QTest::keyClicks(f.edit, "7");
    QVERIFY(f.adaptor->findChild<LineEditAdaptor*>()->isReadOnly());
    QVERIFY(!f.adaptor->isReadOnly());
    f.adaptor->setValue(60);
    QCOMPARE(f.edit->text(), QString("60"));
}

// After an entry that the slider corrected, or a device value that overwrote the typing,
// leaving the edit must show what the slider holds, not the abandoned text.
void TestSliderWithLineEditAdaptor::abandonedEntryRevertsToSliderValue()
{
    Fixture f(Kind::Plain, 0, 255);
    f.adaptor->setValue(50);
    f.window.show();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(f.edit->hasFocus());
    QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);

    f.enter("300");
    QCOMPARE(f.edit->text(), QString("255"));
    QTest::keyClicks(f.edit, "9");
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QTRY_VERIFY(f.other->hasFocus());
    QCOMPARE(f.edit->text(), QString("255"));

    f.edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(f.edit->hasFocus());
    QTest::keyClicks(f.edit, "1");
    f.adaptor->setValue(70);
    QTest::keyClick(f.edit, Qt::Key_Tab);
    QCOMPARE(f.edit->text(), QString("70"));
    QCOMPARE(sent.count(), 1);
}

void TestSliderWithLineEditAdaptor::zeroMultipleDoesNotDivideByZero()
{
    QWidget window;
    auto* slider = new QSlider(&window);
    slider->setRange(0, 100);
    auto* edit = new QLineEdit(&window);
    GenericMultipleSliderWithLineEditAdaptor adaptor(slider, edit, 0);
    QCOMPARE(adaptor.multiple(), 1);
    edit->setText("40");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(slider->value(), 40);
}

void TestSliderWithLineEditAdaptor::destroyedWidgetsAreHarmless()
{
    for (bool editFirst : {true, false}) {
        Fixture f(Kind::VBec, 0, 200);
        QSignalSpy sent(f.adaptor.data(), &AbstractFieldAdaptor::_adaptorValueChanged);
        if (editFirst) {
            delete f.edit;
            QCOMPARE(qobject_cast<VBecSliderWithLineEditAdaptor*>(f.adaptor)->getLineEdit(),
                     nullptr);
            f.adaptor->setValue(80); // the slider still follows
            QCOMPARE(f.slider->value(), 80);
        } else {
            delete f.slider;
            f.adaptor->setValue(80);
            QTest::keyClick(f.edit, Qt::Key_Return);
        }
        QCOMPARE(sent.count(), 0);
        QMetaObject::invokeMethod(f.adaptor.data(), "editReturnPressed");
        QMetaObject::invokeMethod(f.adaptor.data(), "sliderValueChanged", Q_ARG(int, 3));
        QCOMPARE(sent.count(), 0);
    }
}

QTEST_MAIN(TestSliderWithLineEditAdaptor)
#include "tst_sliderwithlineeditadaptor.moc"
