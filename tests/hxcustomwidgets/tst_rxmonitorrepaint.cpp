#include "rxmonitorview.h"
#include "screenimage.h"

#include <QPaintEvent>
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

    static QImage shownAt(RxMonitorView* view, double x, double y)
    {
        view->xValue = x;
        view->yValue = y;
        view->moveSensor();
        settle(view);
        return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static int difference(QRgb a, QRgb b)
    {
        return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
    }

    // Where, to a fraction of a pixel, `image` differs from `reference` along a line of
    // 13 pixels centred on `from` and running in `step`: the mean of the positions
    // weighted by how much each differs. The line crosses whatever is measured at right
    // angles, so the result is that thing's centre.
    static double centreAlong(const QImage& image, const QImage& reference, QPoint from,
                              QPoint step)
    {
        double sum = 0;
        double weight = 0;
        for (int i = -6; i <= 6; ++i) {
            const QPoint at = from + step * i;
            const double w = difference(image.pixel(at), reference.pixel(at));
            sum += w * i;
            weight += w;
        }
        return weight > 0 ? sum / weight : qQNaN();
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
        QCOMPARE(ScreenImage::held(view), ScreenImage::whole(view));
    }

    // The crosshair through the knob is copied from pictures rendered once per sub-pixel
    // phase; with the stick on its neutral point its lines must land exactly on the centre
    // cross the static layer draws there, at sizes that put that point on a pixel's edge
    // and inside a pixel.
    void crosshairLandsOnTheNeutralPoint_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("centre on a pixel edge") << QSize(190, 190);
        QTest::newRow("centre inside a pixel") << QSize(191, 191);
        QTest::newRow("larger, inside across, on an edge down") << QSize(251, 250);
    }

    void crosshairLandsOnTheNeutralPoint()
    {
        QFETCH(QSize, size);
        RxMonitorView view(190, 190, 18, 18);
        view.resize(size);
        view.setRangeValue(920, 2120);
        view.setLocation(-5);
        view.xValue = 920;
        view.yValue = 920;
        view.valueArrived = true;
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        // With the knob in the far corner the centre cross stands alone.
        const QImage apart = shownAt(&view, 920, 920);
        const QImage centred = shownAt(&view, 1520, 1520);
        const QPoint middle(size.width() / 2, size.height() / 2);
        // A row above the centre and a column left of it, clear of the knob, its deflection
        // line, the grid and the edge ticks.
        const int off = qRound(qMin(size.width(), size.height()) * 0.3);
        const QPoint row(middle.x(), off);
        const QPoint column(off, middle.y());

        // The well behind the centre cross shades evenly: its colour along the probe runs
        // straight from one end of the probe to the other.
        const auto alone = [](const QImage& image, QPoint from, QPoint step) {
            QImage even = image;
            const QRgb first = image.pixel(from - step * 6);
            const QRgb last = image.pixel(from + step * 6);
            for (int i = -6; i <= 6; ++i) {
                const double t = (i + 6) / 12.0;
                const auto mix = [t](int a, int b) { return qRound(a + (b - a) * t); };
                even.setPixel(from + step * i,
                              qRgb(mix(qRed(first), qRed(last)), mix(qGreen(first), qGreen(last)),
                                   mix(qBlue(first), qBlue(last))));
            }
            return even;
        };
        const double crossX = centreAlong(apart, alone(apart, row, QPoint(1, 0)), row, {1, 0});
        const double crossY =
                centreAlong(apart, alone(apart, column, QPoint(0, 1)), column, {0, 1});
        QVERIFY(!qIsNaN(crossX) && !qIsNaN(crossY));

        // The knob's lines change only their own pixels on that row and column.
        const double hairX = centreAlong(centred, apart, row, {1, 0});
        const double hairY = centreAlong(centred, apart, column, {0, 1});
        QVERIFY2(qAbs(hairX - crossX) < 0.15,
                 qPrintable(QStringLiteral("line at %1, centre at %2").arg(hairX).arg(crossX)));
        QVERIFY2(qAbs(hairY - crossY) < 0.15,
                 qPrintable(QStringLiteral("line at %1, centre at %2").arg(hairY).arg(crossY)));
    }
};

QTEST_MAIN(TstRxMonitorRepaint)
#include "tst_rxmonitorrepaint.moc"
