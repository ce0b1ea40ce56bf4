#include "rxmonitorview.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

// The receiver-monitor adaptors write a value into xValue or yValue; the first value
// after start-up only places the stick (sets valueArrived), every later one calls
// moveSensor(). These tests play that protocol.
class TstRxMonitorView : public QObject
{
    Q_OBJECT

private:
    static void adaptorWrite(RxMonitorView* view, int axis, double value)
    {
        if (axis == 0)
            view->xValue = value;
        else
            view->yValue = value;
        if (!view->valueArrived)
            view->valueArrived = true;
        else
            view->moveSensor();
    }

private slots:
    void constructionAndRange()
    {
        RxMonitorView view(190, 190, 18, 18);
        QCOMPARE(view.size(), QSize(190, 190));
        QVERIFY(view.animFinished());
        QVERIFY(!view.valueArrived);
        view.setRangeValue(2120, 920); // reversed bounds are put in order
        QCOMPARE(view.minimumValue(), 920);
        QCOMPARE(view.maximumValue(), 2120);
        view.setRangeValue(1500, 1500); // an empty range would divide by zero
        QVERIFY(view.maximumValue() > view.minimumValue());
        view.setLocation(-5);
        QCOMPARE(view.getLocation(), -5);
    }

    void firstValueOnlyPlacesTheStick()
    {
        RxMonitorView view(190, 190, 18, 18);
        view.setRangeValue(920, 2120);
        QSignalSpy moved(&view, SIGNAL(_sensorValueChanged(qint32, qint32)));
        QVERIFY(moved.isValid());

        adaptorWrite(&view, 0, 1300);
        QVERIFY(view.valueArrived);
        QVERIFY(view.animFinished());
        QCOMPARE(moved.count(), 0);
        QCOMPARE(view.displayedValue().x(), 1300.0);

        // The second axis of the very first position: placed as well, without motion.
        adaptorWrite(&view, 1, 1700);
        QVERIFY(view.animFinished());
        QCOMPARE(view.displayedValue(), QPointF(1300, 1700));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).toInt(), 1300);
        QCOMPARE(moved.at(0).at(1).toInt(), 1700);
    }

    void laterValuesAnimate()
    {
        RxMonitorView view(190, 190, 18, 18);
        view.setRangeValue(920, 2120);
        adaptorWrite(&view, 0, 1520);
        adaptorWrite(&view, 1, 1520);
        QSignalSpy moved(&view, SIGNAL(_sensorValueChanged(qint32, qint32)));

        adaptorWrite(&view, 0, 2000);
        QVERIFY(!view.animFinished());
        // The knob starts from where it was; the signal already carries the target.
        QVERIFY(view.displayedValue().x() < 2000);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).toInt(), 2000);
        QCOMPARE(moved.at(0).at(1).toInt(), 1520);

        QTRY_VERIFY_WITH_TIMEOUT(view.animFinished(), 2000);
        QCOMPARE(view.displayedValue(), QPointF(2000, 1520));
    }

    void aMoveDuringAMoveContinuesFromTheCurrentPlace()
    {
        RxMonitorView view(190, 190, 18, 18);
        view.setRangeValue(920, 2120);
        adaptorWrite(&view, 0, 920);
        adaptorWrite(&view, 1, 1520);
        adaptorWrite(&view, 0, 2120);
        QTest::qWait(60);
        const QPointF halfway = view.displayedValue();
        QVERIFY(halfway.x() > 920 && halfway.x() < 2120);

        adaptorWrite(&view, 1, 920);
        QVERIFY(!view.animFinished());
        // No jump back to the old rest position or ahead to the target.
        QVERIFY(qAbs(view.displayedValue().x() - halfway.x()) < 150);
        QTRY_VERIFY_WITH_TIMEOUT(view.animFinished(), 2000);
        QCOMPARE(view.displayedValue(), QPointF(2120, 920));
    }

    // A step the eye cannot follow as motion is drawn at once; anything longer slides.
    void smallStepsAreDrawnAtOnce_data()
    {
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<bool>("slides");
        // The view is 190 pixels for 1200 units, with margins: a pixel is over six units.
        QTest::newRow("one pixel across") << QPointF(1520, 1520) << QPointF(1528, 1520) << false;
        QTest::newRow("one pixel down") << QPointF(1520, 1520) << QPointF(1520, 1512) << false;
        QTest::newRow("two pixels both ways")
                << QPointF(1520, 1520) << QPointF(1537, 1503) << false;
        QTest::newRow("five pixels across") << QPointF(1520, 1520) << QPointF(1560, 1520) << true;
        QTest::newRow("five pixels down") << QPointF(1520, 1520) << QPointF(1520, 1480) << true;
        QTest::newRow("across the field") << QPointF(920, 920) << QPointF(2120, 2120) << true;
        // Beyond the range the knob stays on the edge: nothing to slide along.
        QTest::newRow("far outside, further out")
                << QPointF(3000, 1520) << QPointF(3400, 1520) << false;
        QTest::newRow("from outside back in") << QPointF(3000, 1520) << QPointF(1520, 1520) << true;
    }

    void smallStepsAreDrawnAtOnce()
    {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(bool, slides);
        RxMonitorView view(190, 190, 18, 18);
        view.setRangeValue(920, 2120);
        adaptorWrite(&view, 0, from.x());
        adaptorWrite(&view, 1, from.y());
        QTRY_VERIFY_WITH_TIMEOUT(view.animFinished(), 2000);
        QCOMPARE(view.displayedValue(), from);

        view.xValue = to.x();
        view.yValue = to.y();
        view.moveSensor();
        QCOMPARE(!view.animFinished(), slides);
        if (!slides)
            QCOMPARE(view.displayedValue(), to);
        QTRY_VERIFY_WITH_TIMEOUT(view.animFinished(), 2000);
        QCOMPARE(view.displayedValue(), to);
    }

    void signalCarriesValuesOutsideTheRangeUnchanged()
    {
        // The window shows such values as "infinite", so they must arrive as they are.
        RxMonitorView view(190, 190, 18, 18);
        view.setRangeValue(920, 2120);
        QSignalSpy moved(&view, SIGNAL(_sensorValueChanged(qint32, qint32)));
        view.valueArrived = true;
        view.xValue = 2500.4;
        view.yValue = 100;
        view.moveSensor();
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).toInt(), 2500);
        QCOMPARE(moved.at(0).at(1).toInt(), 100);
    }

    void destroyedWhileMoving()
    {
        QWidget parent;
        QPointer<RxMonitorView> view = new RxMonitorView(190, 190, 18, 18, &parent);
        parent.show();
        adaptorWrite(view, 0, 1000);
        adaptorWrite(view, 1, 1000);
        adaptorWrite(view, 0, 2000);
        QVERIFY(!view->animFinished());
        delete view.data();
        QTest::qWait(250); // the animation's timer must not touch the dead widget
        QVERIFY(view.isNull());
    }
};

QTEST_MAIN(TstRxMonitorView)
#include "tst_rxmonitorview.moc"
