#include "swashtrimcollective.h"
#include "swashtrimcyclic.h"

#include "mouse.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QtTest>

class TstTrimWidgets : public QObject
{
    Q_OBJECT

private:
    static void wheel(QWidget* w, const QPoint& pos, int notches)
    {
        QWheelEvent event(pos, w->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &event);
    }

private slots:
    void enumeratorsMatchTheUnitsLayout()
    {
        QCOMPARE(int(SwashTrimCyclic::Aileron), 0);
        QCOMPARE(int(SwashTrimCyclic::Elevator), 1);
        QCOMPARE(int(SwashTrimCyclic::Pitch), 2);
        QCOMPARE(int(SwashTrimCyclic::Positive), 0);
        QCOMPARE(int(SwashTrimCyclic::Negative), 1);
        // Usable in variants and by name in signatures.
        const QVariant v = QVariant::fromValue(SwashTrimCyclic::Elevator);
        QCOMPARE(v.toInt(), 1);
        SwashTrimCyclic widget;
        QVERIFY(QMetaType::type("SwashTrimCyclic::TrimType") != QMetaType::UnknownType);
        QVERIFY(QMetaType::type("SwashTrimCyclic::TrimDirection") != QMetaType::UnknownType);
        QCOMPARE(SwashTrimCollective::ResetCommand, 60);
    }

    void cyclicSetValueClampsAndStaysQuiet_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("shown");
        QTest::newRow("inside") << 37 << 37;
        QTest::newRow("lower edge") << -100 << -100;
        QTest::newRow("above") << 150 << 100;
        QTest::newRow("below") << -101 << -100;
        QTest::newRow("raw value by mistake") << 200 << 100;
    }

    void cyclicSetValueClampsAndStaysQuiet()
    {
        QFETCH(int, value);
        QFETCH(int, shown);
        SwashTrimCyclic widget;
        widget.setTrimRange(-100, 100);
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int, int, int, bool)));
        widget.setTrimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Negative, value);
        QCOMPARE(widget.trimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Negative), shown);
        // The other five trims are untouched.
        QCOMPARE(widget.trimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Positive), 0);
        QCOMPARE(widget.trimValue(SwashTrimCyclic::Aileron, SwashTrimCyclic::Negative), 0);
        QCOMPARE(changed.count(), 0);
    }

    void cyclicIgnoresUnknownTrims()
    {
        SwashTrimCyclic widget;
        widget.setTrimValue(SwashTrimCyclic::TrimType(3), SwashTrimCyclic::Positive, 10);
        widget.setTrimValue(SwashTrimCyclic::Aileron, SwashTrimCyclic::TrimDirection(-1), 10);
        QCOMPARE(widget.trimValue(SwashTrimCyclic::TrimType(3), SwashTrimCyclic::Positive), 0);
        QCOMPARE(widget.stepButton(SwashTrimCyclic::TrimType(7), SwashTrimCyclic::Positive, 1),
                 nullptr);
    }

    void cyclicStepButtonsEmitOneTrim_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected"); // -999: nothing sent
        QTest::newRow("elevator + up") << 1 << 0 << 1 << 10 << 11;
        QTest::newRow("aileron - down") << 0 << 1 << -1 << 0 << -1;
        QTest::newRow("pitch + down") << 2 << 0 << -1 << -99 << -100;
        QTest::newRow("at the top") << 1 << 1 << 1 << 100 << -999;
        QTest::newRow("at the bottom") << 2 << 1 << -1 << -100 << -999;
    }

    void cyclicStepButtonsEmitOneTrim()
    {
        QFETCH(int, type);
        QFETCH(int, direction);
        QFETCH(int, step);
        QFETCH(int, start);
        QFETCH(int, expected);
        SwashTrimCyclic widget;
        const auto t = SwashTrimCyclic::TrimType(type);
        const auto d = SwashTrimCyclic::TrimDirection(direction);
        widget.setTrimValue(t, d, start);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int, int, int, bool)));

        QAbstractButton* button = widget.stepButton(t, d, step);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        if (expected == -999) {
            QCOMPARE(changed.count(), 0);
            QCOMPARE(widget.trimValue(t, d), start);
            return;
        }
        QCOMPARE(changed.count(), 1);
        const QList<QVariant> args = changed.takeFirst();
        QCOMPARE(args.at(0).toInt(), type);
        QCOMPARE(args.at(1).toInt(), direction);
        QCOMPARE(args.at(2).toInt(), expected);
        QCOMPARE(args.at(3).toBool(), false);
        QCOMPARE(widget.trimValue(t, d), expected);
    }

    void cyclicClearResetsAllSixAsABatch()
    {
        SwashTrimCyclic widget;
        widget.setTrimValue(SwashTrimCyclic::Aileron, SwashTrimCyclic::Positive, 12);
        widget.setTrimValue(SwashTrimCyclic::Elevator, SwashTrimCyclic::Negative, -40);
        widget.setToolTipForClearButton(QStringLiteral("Clear"));
        QCOMPARE(widget.clearButton()->toolTip(), QStringLiteral("Clear"));
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int, int, int, bool)));

        QTest::mouseClick(widget.clearButton(), Qt::LeftButton);
        QCOMPARE(changed.count(), 6);
        QSet<int> seen;
        for (const QList<QVariant>& args : qAsConst(changed)) {
            seen.insert(args.at(0).toInt() * 10 + args.at(1).toInt());
            QCOMPARE(args.at(2).toInt(), 0);
            QCOMPARE(args.at(3).toBool(), true);
        }
        QCOMPARE(seen, (QSet<int>{0, 1, 10, 11, 20, 21}));
        QCOMPARE(widget.trimValue(SwashTrimCyclic::Elevator, SwashTrimCyclic::Negative), 0);
    }

    void cyclicDragSendsOnceAtRelease()
    {
        SwashTrimCyclic widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int, int, int, bool)));
        const QRect track = widget.trackRect(SwashTrimCyclic::Elevator, SwashTrimCyclic::Positive);
        QVERIFY(track.width() > 20);

        Mouse::press(&widget, track.center());
        Mouse::move(&widget, QPoint(track.right() - track.width() / 4, track.center().y()));
        // A value read back from the unit meanwhile does not snatch the trim from the user.
        widget.setTrimValue(SwashTrimCyclic::Elevator, SwashTrimCyclic::Positive, -80);
        Mouse::move(&widget, QPoint(track.right() + 30, track.center().y()));
        QCOMPARE(changed.count(), 0);
        Mouse::release(&widget, QPoint(track.right() + 30, track.center().y()));

        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), int(SwashTrimCyclic::Elevator));
        QCOMPARE(changed.at(0).at(1).toInt(), int(SwashTrimCyclic::Positive));
        QCOMPARE(changed.at(0).at(2).toInt(), 100);
        QCOMPARE(widget.trimValue(SwashTrimCyclic::Elevator, SwashTrimCyclic::Positive), 100);

        // Pressing and letting go where the trim already is sends nothing.
        changed.clear();
        Mouse::press(&widget, QPoint(track.right() + 3, track.center().y()));
        Mouse::release(&widget, QPoint(track.right() + 3, track.center().y()));
        QCOMPARE(changed.count(), 0);
    }

    void dragCutShortByHidingIsDropped()
    {
        SwashTrimCyclic cyclic;
        SwashTrimCollective collective;
        for (QWidget* w : {static_cast<QWidget*>(&cyclic), static_cast<QWidget*>(&collective)}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
        }
        QSignalSpy cyclicChanged(&cyclic, SIGNAL(_trimValueChanged(int, int, int, bool)));
        QSignalSpy collectiveChanged(&collective, SIGNAL(_trimValueChanged(int)));

        const QRect t1 = cyclic.trackRect(SwashTrimCyclic::Pitch, SwashTrimCyclic::Negative);
        Mouse::press(&cyclic, t1.center());
        Mouse::move(&cyclic, QPoint(t1.left() - 10, t1.center().y()));
        const QRect t2 = collective.trackRect();
        Mouse::press(&collective, t2.center());
        Mouse::move(&collective, QPoint(t2.right() + 10, t2.center().y()));
        cyclic.hide();
        collective.hide();

        QCOMPARE(cyclicChanged.count() + collectiveChanged.count(), 0);
        QCOMPARE(cyclic.trimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Negative), 0);
        QCOMPARE(collective.trimValue(), 0);
        // Values from the unit are shown again.
        cyclic.setTrimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Negative, 9);
        collective.setTrimValue(-9);
        QCOMPARE(cyclic.trimValue(SwashTrimCyclic::Pitch, SwashTrimCyclic::Negative), 9);
        QCOMPARE(collective.trimValue(), -9);
    }

    void cyclicWheelSteps()
    {
        SwashTrimCyclic widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int, int, int, bool)));
        const QRect track = widget.trackRect(SwashTrimCyclic::Aileron, SwashTrimCyclic::Negative);
        wheel(&widget, track.center(), 2);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(2).toInt(), 2);
    }

    void narrowerTrimRangeClampsQuietly()
    {
        SwashTrimCyclic cyclic;
        SwashTrimCollective collective;
        cyclic.setTrimValue(SwashTrimCyclic::Aileron, SwashTrimCyclic::Positive, 90);
        collective.setTrimValue(-90);
        QSignalSpy cyclicChanged(&cyclic, SIGNAL(_trimValueChanged(int, int, int, bool)));
        QSignalSpy collectiveChanged(&collective, SIGNAL(_trimValueChanged(int)));
        cyclic.setTrimRange(50, -50);
        collective.setTrimRange(-50, 50);
        QCOMPARE(cyclic.trimMinimum(), -50);
        QCOMPARE(cyclic.trimValue(SwashTrimCyclic::Aileron, SwashTrimCyclic::Positive), 50);
        QCOMPARE(collective.trimValue(), -50);
        QCOMPARE(cyclicChanged.count() + collectiveChanged.count(), 0);
    }

    void monitorChannelsReachBothWidgets()
    {
        SwashTrimCyclic cyclic;
        SwashTrimCollective collective;
        cyclic.setMonitorRange(1120, 1920);
        collective.setMonitorRange(1120, 1920);
        QCOMPARE(cyclic.monitorMinimum(), 1120);
        QCOMPARE(collective.monitorMaximum(), 1920);
        // The window's own connection, by signature.
        QVERIFY(connect(&cyclic, SIGNAL(_monitorChannelValueChanged(int, int)), &collective,
                        SLOT(setTrimMonitorValue(int, int))));
        QSignalSpy relayed(&cyclic, SIGNAL(_monitorChannelValueChanged(int, int)));

        QVERIFY(!cyclic.hasMonitorValue(218));
        cyclic.setTrimMonitorValue(218, 1604);
        QCOMPARE(relayed.count(), 1);
        QCOMPARE(relayed.at(0).at(0).toInt(), 218);
        QCOMPARE(relayed.at(0).at(1).toInt(), 1604);
        QCOMPARE(cyclic.monitorValue(218), 1604);
        QCOMPARE(collective.monitorValue(218), 1604);
        QVERIFY(collective.hasMonitorValue(218));

        // Out-of-range values are kept as they are (drawn at the bar's end, in colour).
        cyclic.setTrimMonitorValue(220, 2500);
        QCOMPARE(collective.monitorValue(220), 2500);

        // Only 217..220 are monitor channels.
        cyclic.setTrimMonitorValue(216, 1500);
        cyclic.setTrimMonitorValue(221, 1500);
        QCOMPARE(relayed.count(), 2);
        QVERIFY(!collective.hasMonitorValue(217));
    }

    void collectiveSteps_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expected"); // -999: nothing sent
        QTest::newRow("up") << 0 << 1 << 1;
        QTest::newRow("down") << -5 << -1 << -6;
        QTest::newRow("at the top") << 100 << 1 << -999;
    }

    void collectiveSteps()
    {
        QFETCH(int, start);
        QFETCH(int, step);
        QFETCH(int, expected);
        SwashTrimCollective widget;
        widget.setTrimValue(start);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int)));
        QSignalSpy reset(&widget, SIGNAL(_resetValue(int)));
        QTest::mouseClick(widget.stepButton(step), Qt::LeftButton);
        QCOMPARE(reset.count(), 0);
        if (expected == -999) {
            QCOMPARE(changed.count(), 0);
            return;
        }
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), expected);
        QCOMPARE(widget.trimValue(), expected);
    }

    void collectiveSetValueAndClear()
    {
        SwashTrimCollective widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int)));
        QSignalSpy reset(&widget, SIGNAL(_resetValue(int)));
        widget.setTrimValue(130);
        QCOMPARE(widget.trimValue(), 100);
        QCOMPARE(changed.count(), 0);

        // The clear button asks the unit to reset; the trim itself waits for the answer,
        // since the user may still refuse the reset.
        QTest::mouseClick(widget.clearButton(), Qt::LeftButton);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(reset.at(0).at(0).toInt(), int(SwashTrimCollective::ResetCommand));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(widget.trimValue(), 100);
    }

    void collectiveDragAndWheel()
    {
        SwashTrimCollective widget;
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QSignalSpy changed(&widget, SIGNAL(_trimValueChanged(int)));
        const QRect track = widget.trackRect();
        Mouse::drag(&widget, track.center(), QPoint(track.left() - 20, track.center().y()));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), -100);

        wheel(&widget, track.center(), 3);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toInt(), -97);
    }
};

QTEST_MAIN(TstTrimWidgets)
#include "tst_trimwidgets.moc"
