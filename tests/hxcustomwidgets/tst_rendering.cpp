#include "advanceservosview.h"
#include "buttongroup.h"
#include "doubledirectslider.h"
#include "flystyleview.h"
#include "lineeditalert.h"
#include "progressdialog.h"
#include "rxmonitorview.h"
#include "swashtrimcollective.h"
#include "swashtrimcyclic.h"

#include <QImage>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using Factory = std::function<QWidget*()>;
Q_DECLARE_METATYPE(Factory)

// Every widget draws something on the offscreen platform, at its own size and at odd
// sizes (the window may give it any geometry).
class TstRendering : public QObject
{
    Q_OBJECT

private:
    static bool isUniform(const QImage& image)
    {
        const QRgb first = image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != first)
                    return false;
            }
        }
        return true;
    }

private slots:
    void paintsSomething_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::newRow("RxMonitorView") << Factory([] {
            auto* w = new RxMonitorView(190, 190, 18, 18);
            w->setRangeValue(920, 2120);
            w->valueArrived = true;
            w->xValue = 1300;
            w->yValue = 1700;
            w->moveSensor();
            return w;
        });
        QTest::newRow("RxMonitorView without value")
                << Factory([] { return new RxMonitorView(190, 190, 18, 18); });
        QTest::newRow("AdvanceServosView") << Factory([] {
            auto* w = new AdvanceServosView(240, 240, nullptr, 5.0);
            w->resetChannelDefaultAngle({270, 0, 90, 180});
            w->setAngle(15);
            return w;
        });
        QTest::newRow("FlyStyleView") << Factory([] { return new FlyStyleView; });
        QTest::newRow("DoubleDirectSlider") << Factory([] { return new DoubleDirectSlider; });
        QTest::newRow("SwashTrimCyclic") << Factory([] {
            auto* w = new SwashTrimCyclic;
            w->setMonitorRange(1120, 1920);
            w->setTrimMonitorValue(217, 1600);
            w->setTrimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Positive, 30);
            return w;
        });
        QTest::newRow("SwashTrimCollective") << Factory([] {
            auto* w = new SwashTrimCollective;
            w->setTrimMonitorValue(220, 2000);
            return w;
        });
        QTest::newRow("LineEditAlert") << Factory([] {
            auto* w = new LineEditAlert;
            w->setText(QStringLiteral("Press Enter to send"));
            w->setGraphicsEffect(nullptr); // grab the bubble itself, not its fade
            w->show();
            return w;
        });
        QTest::newRow("ProgressDialog busy") << Factory([] {
            auto* w = new ProgressDialog;
            w->setContent(QStringLiteral("Busy"));
            w->changeState(0);
            return w;
        });
        QTest::newRow("ProgressDialog progress") << Factory([] {
            auto* w = new ProgressDialog;
            w->changeState(1);
            w->setProgressBarValue(60);
            return w;
        });
        QTest::newRow("ButtonGroup mark") << Factory([] {
            auto* holder = new QWidget;
            holder->resize(110, 110);
            holder->setStyleSheet("background: #808080;");
            auto* button = new QToolButton(holder);
            button->setCheckable(true);
            button->setGeometry(0, 0, 110, 110);
            button->setStyleSheet("QToolButton { background: #808080; border: none; }");
            auto* group = new ButtonGroup(QStringLiteral("no/such/image.png"), holder);
            group->addButton(button, 1);
            button->setChecked(true);
            return holder;
        });
    }

    void paintsSomething()
    {
        QFETCH(Factory, make);
        std::unique_ptr<QWidget> widget(make());
        const QSize natural = widget->size();
        QVERIFY(!natural.isEmpty());
        const QImage image = widget->grab().toImage();
        QCOMPARE(image.size(), natural);
        QVERIFY2(!isUniform(image), "the widget drew nothing");

        // Odd sizes must not break the drawing either.
        for (const QSize& size : {QSize(1, 1), QSize(12, 300), QSize(600, 40), natural * 2}) {
            widget->resize(size);
            // Layouts may keep a minimum size; what matters is that drawing copes.
            QVERIFY(!widget->grab().toImage().isNull());
        }
    }
};

QTEST_MAIN(TstRendering)
#include "tst_rendering.moc"
