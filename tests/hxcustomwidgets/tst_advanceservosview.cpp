#include "advanceservosview.h"

#include <QSignalSpy>
#include <QtTest>

using Angles = QList<int>;

class TstAdvanceServosView : public QObject
{
    Q_OBJECT

private slots:
    void phasing_data()
    {
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("actions"); // L = rotateLeft, R = rotateRight, Sn = setAngle(n)
        QTest::addColumn<int>("angle");

        QTest::newRow("one step right") << 5.0 << "R" << 5;
        QTest::newRow("left of zero wraps") << 5.0 << "L" << 355;
        QTest::newRow("back and forth") << 5.0 << "RRL" << 5;
        QTest::newRow("full turn") << 90.0 << "RRRR" << 0;
        QTest::newRow("other factor") << 7.5 << "RR" << 15;
        QTest::newRow("fractional factor rounds") << 2.5 << "R" << 3;
        QTest::newRow("fractional steps do not drift") << 2.5 << "RRRR" << 10;
        QTest::newRow("set negative") << 5.0 << "S-5" << 355;
        QTest::newRow("set beyond a turn") << 5.0 << "S725" << 5;
        QTest::newRow("set 360") << 5.0 << "S360" << 0;
        QTest::newRow("set then step") << 5.0 << "S358R" << 3;
    }

    void phasing()
    {
        QFETCH(double, step);
        QFETCH(QString, actions);
        QFETCH(int, angle);
        AdvanceServosView view(240, 240, nullptr, step);
        QCOMPARE(view.stepDegrees(), step);
        for (int i = 0; i < actions.size(); ++i) {
            const QChar a = actions.at(i);
            if (a == 'L') {
                view.rotateLeft();
            } else if (a == 'R') {
                view.rotateRight();
            } else if (a == 'S') {
                int end = i + 1;
                while (end < actions.size() &&
                       (actions.at(end).isDigit() || actions.at(end) == '-'))
                    ++end;
                view.setAngle(actions.mid(i + 1, end - i - 1).toInt());
                i = end - 1;
            }
        }
        QCOMPARE(view.angle(), angle);
        QVERIFY(view.angle() >= 0 && view.angle() < 360);
    }

    void channelAngles_data()
    {
        QTest::addColumn<Angles>("defaults");
        QTest::addColumn<int>("phase");
        QTest::addColumn<Angles>("expected");

        QTest::newRow("type 1") << Angles{300, 180, 60, -1} << 0 << Angles{300, 180, 60, -1};
        QTest::newRow("type 4 phased")
                << Angles{270, 0, 90, 180} << 15 << Angles{285, 15, 105, 195};
        QTest::newRow("wraps past 360")
                << Angles{300, 180, 60, -1} << 90 << Angles{30, 270, 150, -1};
        QTest::newRow("phased backwards")
                << Angles{270, 0, 90, 180} << 350 << Angles{260, 350, 80, 170};
        QTest::newRow("short list is padded") << Angles{10, 20} << 0 << Angles{10, 20, -1, -1};
        QTest::newRow("any negative is missing")
                << Angles{-1, -30, 90, 180} << 10 << Angles{-1, -1, 100, 190};
        QTest::newRow("long list is cut") << Angles{1, 2, 3, 4, 5} << 0 << Angles{1, 2, 3, 4};
    }

    void channelAngles()
    {
        QFETCH(Angles, defaults);
        QFETCH(int, phase);
        QFETCH(Angles, expected);
        AdvanceServosView view(240, 240, nullptr, 5.0);
        view.resetChannelDefaultAngle(defaults);
        view.setAngle(phase);
        QCOMPARE(view.channelAngles(), expected);
    }

    void resetKeepsThePhasing()
    {
        AdvanceServosView view(240, 240, nullptr, 5.0);
        view.setAngle(20);
        view.resetChannelDefaultAngle({240, 0, 120, -1});
        QCOMPARE(view.angle(), 20);
        QCOMPARE(view.channelAngles(), (Angles{260, 20, 140, -1}));
    }

    void angleChangedCarriesTheFourChannelAngles()
    {
        AdvanceServosView view(240, 240, nullptr, 5.0);
        view.resetChannelDefaultAngle({270, 0, 90, 180});
        // The window connects it by this signature.
        QSignalSpy changed(&view, SIGNAL(_angleChanged(QList<int>)));
        QVERIFY(changed.isValid());

        view.rotateRight();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.last().at(0).value<Angles>(), (Angles{275, 5, 95, 185}));

        view.rotateLeft();
        view.rotateLeft();
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.last().at(0).value<Angles>(), (Angles{265, 355, 85, 175}));

        view.setAngle(30);
        QCOMPARE(changed.last().at(0).value<Angles>(), (Angles{300, 30, 120, 210}));

        view.resetChannelDefaultAngle({300, 180, 60, -1});
        QCOMPARE(changed.count(), 5);
        QCOMPARE(changed.last().at(0).value<Angles>(), (Angles{330, 210, 90, -1}));
    }

    void nothingChangedNothingEmitted()
    {
        AdvanceServosView view(240, 240, nullptr, 5.0);
        view.resetChannelDefaultAngle({270, 0, 90, 180});
        view.setAngle(45);
        QSignalSpy changed(&view, SIGNAL(_angleChanged(QList<int>)));
        view.setAngle(45);
        view.setAngle(405);
        view.resetChannelDefaultAngle({270, 0, 90, 180});
        QCOMPARE(changed.count(), 0);
    }

    void turningWhileShownAndDestroyed()
    {
        auto* view = new AdvanceServosView(240, 240, nullptr, 5.0);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        view->rotateRight();
        view->rotateRight();
        delete view; // its turn animation is still running
        QTest::qWait(200);
    }
};

QTEST_MAIN(TstAdvanceServosView)
#include "tst_advanceservosview.moc"
