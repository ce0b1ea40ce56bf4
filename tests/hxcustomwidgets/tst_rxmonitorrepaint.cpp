#include "rxmonitorview.h"

#include <QPaintEvent>
#include <QScreen>
#include <QtTest>

// The stick monitor repaints only where its knob was and is, and not at all for moves
// finer than it can show; what the window holds after any number of such partial repaints
// (its backing store, as the offscreen platform grabs it) must be exactly what a whole
// repaint shows.
class TstRxMonitorRepaint : public QObject
{
    Q_OBJECT

private:
    // Records the regions the view is asked to paint.
    struct PaintSpy : public QObject
    {
        explicit PaintSpy(RxMonitorView* view)
            : view(view)
        {
            view->installEventFilter(this);
        }
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == view && event->type() == QEvent::Paint)
                regions << static_cast<QPaintEvent*>(event)->region();
            return false;
        }
        RxMonitorView* view;
        QList<QRegion> regions;
    };

    static void settle(RxMonitorView* view)
    {
        QTRY_VERIFY_WITH_TIMEOUT(view->animFinished(), 2000);
        QTest::qWait(50);
    }

private slots:
    void partialRepaints_data()
    {
        QTest::addColumn<QList<QPointF>>("moves"); // channel values, one move each
        QTest::addColumn<bool>("repaints");        // does the last move repaint anything
        QTest::newRow("across the field") << QList<QPointF>{{1000, 1000}, {2000, 1900}} << true;
        QTest::newRow("small steps")
                << QList<QPointF>{{1520, 1520}, {1560, 1500}, {1600, 1480}} << true;
        QTest::newRow("out of range and back")
                << QList<QPointF>{{3000, 1520}, {1520, 1520}} << true;
        // 190 px for 1200 units: one unit is a sixth of a pixel.
        QTest::newRow("sub-pixel move") << QList<QPointF>{{1520, 1520}, {1521, 1520}} << false;
        QTest::newRow("same value again") << QList<QPointF>{{1300, 1700}, {1300, 1700}} << false;
    }

    void partialRepaints()
    {
        QFETCH(QList<QPointF>, moves);
        QFETCH(bool, repaints);
        QWidget window;
        window.resize(260, 260);
        auto* view = new RxMonitorView(190, 190, 18, 18, &window);
        view->move(30, 30);
        view->setRangeValue(920, 2120);
        view->setLocation(-5);
        view->xValue = 1520;
        view->yValue = 1520;
        view->valueArrived = true;
        PaintSpy screen(view);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        settle(view);
        for (int i = 0; i < moves.size(); ++i) {
            screen.regions.clear();
            view->xValue = moves.at(i).x();
            view->yValue = moves.at(i).y();
            view->moveSensor();
            settle(view);
            if (i + 1 < moves.size())
                continue;
            QCOMPARE(!screen.regions.isEmpty(), repaints);
            for (const QRegion& region : qAsConst(screen.regions))
                QVERIFY2(region != QRegion(view->rect()), "a knob move repainted the whole view");
        }
        const QImage held = window.screen()
                                    ->grabWindow(window.winId())
                                    .toImage()
                                    .copy(view->geometry())
                                    .convertToFormat(QImage::Format_RGB32);
        const QImage whole = window.grab()
                                     .toImage()
                                     .copy(view->geometry())
                                     .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(held, whole);
    }
};

QTEST_MAIN(TstRxMonitorRepaint)
#include "tst_rxmonitorrepaint.moc"
