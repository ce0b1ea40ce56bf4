// The slider protocol with real mouse and keyboard events: a drag sends one value at
// release, steps send at once, jumps to the ends and program values send nothing.

#include "slideradaptor.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

class Slider : public QSlider
{
public:
    Slider()
        : QSlider(Qt::Horizontal)
    {
        setRange(0, 100);
        setPageStep(10);
        resize(300, 30);
    }

    QPoint handleCentre() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()
                ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this)
                .center();
    }

    // QTest cannot move the mouse with a button held on a widget.
    void dragTo(const QPoint& pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(this, &move);
    }
};

} // namespace

class TestSliderAdaptor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dragSendsOnceAtRelease();
    void pressAndReleaseWithoutMoveSendsOnce();
    void keyboardStepsSendAtOnce_data();
    void keyboardStepsSendAtOnce();
    void jumpsToTheEndsSendNothing_data();
    void jumpsToTheEndsSendNothing();
    void clickOnGrooveSendsOnce();
    void stepAtTheEndStaysMarked();

private:
    Slider* m_slider = nullptr;
    SliderAdaptor* m_adaptor = nullptr;
};

void TestSliderAdaptor::init()
{
    m_slider = new Slider;
    m_adaptor = new SliderAdaptor(m_slider);
    m_adaptor->setValue(50);
    m_slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_slider));
}

void TestSliderAdaptor::cleanup()
{
    delete m_adaptor;
    delete m_slider;
}

void TestSliderAdaptor::dragSendsOnceAtRelease()
{
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);
    QSignalSpy moved(m_adaptor, &SliderAdaptor::_sliderValueChanged);
    const QPoint start = m_slider->handleCentre();

    QTest::mousePress(m_slider, Qt::LeftButton, Qt::NoModifier, start);
    QVERIFY(m_slider->isSliderDown());
    QVERIFY(m_adaptor->isReadOnly());
    for (int dx = 10; dx <= 60; dx += 10)
        m_slider->dragTo(start + QPoint(dx, 0));
    QVERIFY(m_slider->value() > 50);
    QVERIFY(moved.count() >= 2);
    QCOMPARE(moved.last().at(0).value<QObject*>(), m_slider);
    QCOMPARE(moved.last().at(1).toInt(), m_slider->value());
    QCOMPARE(sent.count(), 0);
    QVERIFY(m_adaptor->isReadOnly());

    QTest::mouseRelease(m_slider, Qt::LeftButton, Qt::NoModifier, start + QPoint(60, 0));
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), m_slider->value());
    QVERIFY(!m_adaptor->isReadOnly());
}

void TestSliderAdaptor::pressAndReleaseWithoutMoveSendsOnce()
{
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);
    const QPoint handle = m_slider->handleCentre();
    QTest::mousePress(m_slider, Qt::LeftButton, Qt::NoModifier, handle);
    QTest::mouseRelease(m_slider, Qt::LeftButton, Qt::NoModifier, handle);
    QCOMPARE(m_slider->value(), 50);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), 50);
}

void TestSliderAdaptor::keyboardStepsSendAtOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("step up") << int(Qt::Key_Right) << 51;
    QTest::newRow("step down") << int(Qt::Key_Left) << 49;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 60;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 40;
}

void TestSliderAdaptor::keyboardStepsSendAtOnce()
{
    QFETCH(int, key);
    QFETCH(int, value);
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);
    QTest::keyClick(m_slider, Qt::Key(key));
    QCOMPARE(m_slider->value(), value);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), value);
    QVERIFY(!m_adaptor->isReadOnly());
}

void TestSliderAdaptor::jumpsToTheEndsSendNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("home") << int(Qt::Key_Home) << 0;
    QTest::newRow("end") << int(Qt::Key_End) << 100;
}

void TestSliderAdaptor::jumpsToTheEndsSendNothing()
{
    QFETCH(int, key);
    QFETCH(int, value);
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);
    QSignalSpy moved(m_adaptor, &SliderAdaptor::_sliderValueChanged);
    QTest::keyClick(m_slider, Qt::Key(key));
    QCOMPARE(m_slider->value(), value);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(sent.count(), 0);
    QVERIFY(!m_adaptor->isReadOnly());
}

void TestSliderAdaptor::clickOnGrooveSendsOnce()
{
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);
    const QPoint groove(m_slider->width() - 3, m_slider->height() / 2);
    QTest::mousePress(m_slider, Qt::LeftButton, Qt::NoModifier, groove);
    QTest::mouseRelease(m_slider, Qt::LeftButton, Qt::NoModifier, groove);
    QVERIFY(m_slider->value() > 50);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), m_slider->value());
}

// A step that cannot move the slider leaves the edit mark until the next change or
// release, so device values are held back meanwhile.
void TestSliderAdaptor::stepAtTheEndStaysMarked()
{
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);
    m_adaptor->setValue(100);
    QTest::keyClick(m_slider, Qt::Key_Right);
    QCOMPARE(sent.count(), 0);
    QVERIFY(m_adaptor->isReadOnly());
    QTest::keyClick(m_slider, Qt::Key_Left);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), 99);
    QVERIFY(!m_adaptor->isReadOnly());
}

QTEST_MAIN(TestSliderAdaptor)
#include "tst_slideradaptor.moc"
