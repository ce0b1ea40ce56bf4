#include "doubledirectslider.h"

#include "mouse.h"

#include <QIntValidator>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

// The adaptors bind the inner slider and edit; they rely on Qt's own slider signals
// (press, release, actions, value) arriving as with a plain QSlider.
class TstDoubleDirectSlider : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        DoubleDirectSlider widget;
        QSlider* slider = widget.getSlider();
        QLineEdit* edit = widget.getLineEdit();
        QVERIFY(slider && edit);
        QCOMPARE(slider->parentWidget(), &widget);
        QCOMPARE(slider->minimum(), -100);
        QCOMPARE(slider->maximum(), 100);
        QCOMPARE(slider->value(), 0);
        QCOMPARE(edit->text(), QStringLiteral("0"));
        QCOMPARE(widget.orientation(), Qt::Vertical);
    }

    void rangeAndValidator()
    {
        DoubleDirectSlider widget;
        widget.setSliderRange(50, -50);
        QCOMPARE(widget.getSlider()->minimum(), -50);
        QCOMPARE(widget.getSlider()->maximum(), 50);
        const auto* validator =
                qobject_cast<const QIntValidator*>(widget.getLineEdit()->validator());
        QVERIFY(validator);
        QCOMPARE(validator->bottom(), -50);
        QCOMPARE(validator->top(), 50);
    }

    void editMirrorsTheSliderButNotTheOtherWayRound()
    {
        DoubleDirectSlider widget;
        widget.getSlider()->setValue(-35);
        QCOMPARE(widget.getLineEdit()->text(), QStringLiteral("-35"));
        // Typing alone never moves the slider: the adaptor applies typed text on Return.
        QSignalSpy moved(widget.getSlider(), SIGNAL(valueChanged(int)));
        QTest::keyClicks(widget.getLineEdit(), QStringLiteral("0"));
        QCOMPARE(moved.count(), 0);
    }

    void dragIsFramedByPressAndRelease_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("vertical") << int(Qt::Vertical);
        QTest::newRow("horizontal") << int(Qt::Horizontal);
    }

    void dragIsFramedByPressAndRelease()
    {
        QFETCH(int, orientation);
        DoubleDirectSlider widget;
        widget.setOrientation(Qt::Orientation(orientation));
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSlider* slider = widget.getSlider();
        QSignalSpy pressed(slider, SIGNAL(sliderPressed()));
        QSignalSpy released(slider, SIGNAL(sliderReleased()));
        QSignalSpy values(slider, SIGNAL(valueChanged(int)));

        // From the middle to beyond the positive end (top, or right).
        const QPoint middle = slider->rect().center();
        const QPoint end = orientation == Qt::Vertical ? QPoint(middle.x(), -20)
                                                       : QPoint(slider->width() + 20, middle.y());
        Mouse::press(slider, middle);
        QCOMPARE(pressed.count(), 1);
        QVERIFY(slider->isSliderDown());
        Mouse::move(slider, (middle + end) / 2);
        Mouse::move(slider, end);
        QCOMPARE(released.count(), 0);
        Mouse::release(slider, end);
        QCOMPARE(released.count(), 1);
        QVERIFY(!slider->isSliderDown());
        QCOMPARE(slider->value(), 100);
        QVERIFY(values.count() >= 1);
        QCOMPARE(widget.getLineEdit()->text(), QStringLiteral("100"));
    }

    void keyboardStepsAreSliderActions()
    {
        DoubleDirectSlider widget;
        widget.show();
        QSlider* slider = widget.getSlider();
        QSignalSpy actions(slider, SIGNAL(actionTriggered(int)));
        QTest::keyClick(slider, Qt::Key_Up);
        QCOMPARE(slider->value(), 1);
        QCOMPARE(actions.count(), 1);
        QCOMPARE(actions.at(0).at(0).toInt(), int(QAbstractSlider::SliderSingleStepAdd));
    }
};

QTEST_MAIN(TstDoubleDirectSlider)
#include "tst_doubledirectslider.moc"
