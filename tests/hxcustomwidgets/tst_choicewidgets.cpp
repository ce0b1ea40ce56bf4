#include "buttongroup.h"
#include "flystyleview.h"
#include "screenimage.h"

#include <QPaintEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

// The two widgets through which the pilot picks one of several choices.
class TstChoiceWidgets : public QObject
{
    Q_OBJECT

private:
    struct Group
    {
        QWidget window;
        ButtonGroup* group = nullptr;
        QList<QToolButton*> buttons;
    };

    static void fill(Group& g, const QString& image, int count = 3)
    {
        g.group = new ButtonGroup(image, &g.window);
        for (int i = 0; i < count; ++i) {
            auto* b = new QToolButton(&g.window);
            b->setCheckable(true);
            b->setGeometry(i * 120, 0, 110, 110);
            g.buttons.append(b);
            g.group->addButton(b, i + 1);
        }
    }

private slots:
    void flyStyleUserChoiceEmits()
    {
        FlyStyleView view;
        view.resize(400, 100);
        view.setValue(FlyStyleView::Scale);
        QSignalSpy chosen(&view, SIGNAL(_valueChanged(int)));
        QVERIFY(chosen.isValid());

        QTest::mouseClick(&view, Qt::LeftButton, {}, view.styleRect(3).center());
        QCOMPARE(view.getValue(), 3);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 3);

        // Choosing what is already chosen is no change.
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.styleRect(3).center());
        QCOMPARE(chosen.count(), 1);

        // Pressing on one picture and letting go on another chooses nothing.
        QTest::mousePress(&view, Qt::LeftButton, {}, view.styleRect(1).center());
        QTest::mouseRelease(&view, Qt::LeftButton, {}, view.styleRect(4).center());
        QCOMPARE(view.getValue(), 3);
        QCOMPARE(chosen.count(), 1);
    }

    // A new choice repaints only the two cards it concerns; what the screen then holds must
    // be what a repaint of the whole view draws, focus ring included.
    void flyStyleRepaintsOnlyTheChangedCards_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("keyboardFocus");
        QTest::newRow("neighbours") << 1 << 2 << false;
        QTest::newRow("far apart") << 4 << 1 << false;
        QTest::newRow("with the focus ring") << 2 << 3 << true;
    }

    void flyStyleRepaintsOnlyTheChangedCards()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, keyboardFocus);
        QWidget window;
        window.resize(420, 120);
        auto* view = new FlyStyleView(&window);
        view->setGeometry(10, 10, 400, 100);
        view->setValue(from);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (keyboardFocus) {
            QTest::qWaitForWindowActive(&window);
            QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
            view->setFocus(Qt::TabFocusReason);
            QCoreApplication::sendEvent(view, &in);
        }
        QCoreApplication::processEvents();

        QRegion repainted;
        struct Spy : QObject
        {
            QRegion* region;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Paint)
                    *region += static_cast<QPaintEvent*>(event)->region();
                return false;
            }
        } spy;
        spy.region = &repainted;
        view->installEventFilter(&spy);
        if (keyboardFocus)
            QTest::keyClick(view, Qt::Key_Right);
        else
            view->setValue(to);
        QCOMPARE(view->getValue(), to);
        QTRY_VERIFY(!repainted.isEmpty());
        QCoreApplication::processEvents();

        for (int v = FlyStyleView::MinimumStyle; v <= FlyStyleView::MaximumStyle; ++v) {
            const QRect inner = view->styleRect(v).adjusted(4, 4, -4, -4);
            QCOMPARE(repainted.intersects(inner), v == from || v == to);
        }
        QCOMPARE(ScreenImage::held(view), ScreenImage::whole(view));
    }

    // The cards are drawn once per state and size and then copied: a view that has been
    // through other sizes and states must draw exactly what a new view in its state does.
    void flyStyleDrawsItsStateAfterChanges_data()
    {
        QTest::addColumn<QSize>("firstSize");
        QTest::addColumn<int>("firstHover");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("hover");
        QTest::newRow("resized") << QSize(400, 100) << 0 << QSize(300, 80) << 1 << 0;
        QTest::newRow("hover moved") << QSize(400, 100) << 2 << QSize(400, 100) << 1 << 3;
        QTest::newRow("hover left") << QSize(400, 100) << 1 << QSize(400, 100) << 1 << 0;
        QTest::newRow("choice moved") << QSize(400, 100) << 0 << QSize(400, 100) << 4 << 0;
    }

    void flyStyleDrawsItsStateAfterChanges()
    {
        QFETCH(QSize, firstSize);
        QFETCH(int, firstHover);
        QFETCH(QSize, size);
        QFETCH(int, value);
        QFETCH(int, hover);
        const auto hoverOver = [](FlyStyleView& view, int card) {
            const QPoint at = card ? view.styleRect(card).center() : QPoint(-5, -5);
            QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&view, &move);
        };
        FlyStyleView used;
        used.resize(firstSize);
        used.setValue(1);
        hoverOver(used, firstHover);
        QVERIFY(!used.grab().isNull());
        used.resize(size);
        used.setValue(value);
        hoverOver(used, hover);

        FlyStyleView fresh;
        fresh.resize(size);
        fresh.setValue(value);
        hoverOver(fresh, hover);
        QCOMPARE(used.grab().toImage(), fresh.grab().toImage());
    }

    void flyStyleKeyboard_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("emits");
        QTest::newRow("right") << 2 << int(Qt::Key_Right) << 3 << true;
        QTest::newRow("left") << 2 << int(Qt::Key_Left) << 1 << true;
        QTest::newRow("left at the first") << 1 << int(Qt::Key_Left) << 1 << false;
        QTest::newRow("right at the last") << 4 << int(Qt::Key_Right) << 4 << false;
        QTest::newRow("end") << 1 << int(Qt::Key_End) << 4 << true;
        QTest::newRow("home") << 4 << int(Qt::Key_Home) << 1 << true;
    }

    void flyStyleKeyboard()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        QFETCH(bool, emits);
        FlyStyleView view;
        view.setValue(start);
        QSignalSpy chosen(&view, SIGNAL(_valueChanged(int)));
        QTest::keyClick(&view, Qt::Key(key));
        QCOMPARE(view.getValue(), expected);
        QCOMPARE(chosen.count(), emits ? 1 : 0);
    }

    void flyStyleProgramValuesAreQuiet_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("valid") << 4 << 4;
        QTest::newRow("zero is ignored") << 0 << 2;
        QTest::newRow("five is ignored") << 5 << 2;
        QTest::newRow("negative is ignored") << -1 << 2;
    }

    void flyStyleProgramValuesAreQuiet()
    {
        QFETCH(int, value);
        QFETCH(int, expected);
        FlyStyleView view;
        view.setValue(2);
        QSignalSpy chosen(&view, SIGNAL(_valueChanged(int)));
        view.setValue(value);
        QCOMPARE(view.getValue(), expected);
        QCOMPARE(chosen.count(), 0);
    }

    void groupRemembersTheConfirmedButton()
    {
        Group g;
        fill(g, QStringLiteral("images/checked.png"));
        QCOMPARE(g.group->lastButtonChecked(), nullptr);
        QCOMPARE(g.group->lastButtonCheckedId(), -1);
        QVERIFY(g.group->exclusive());
        QCOMPARE(g.group->checkedImagePath(), QStringLiteral("images/checked.png"));

        g.buttons[0]->setChecked(true);
        g.group->setLastButtonChecked(g.buttons[0]);
        QCOMPARE(g.group->lastButtonCheckedId(), 1);
        g.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.window));

        // A click checks another button; until confirmed, the group still remembers the
        // first, so a refusal can put it back.
        QSignalSpy toggled(g.group, SIGNAL(buttonToggled(int, bool)));
        QTest::mouseClick(g.buttons[2], Qt::LeftButton);
        QCOMPARE(g.group->checkedId(), 3);
        QCOMPARE(g.group->lastButtonCheckedId(), 1);
        QCOMPARE(toggled.count(), 2);

        g.group->lastButtonChecked()->setChecked(true); // refused
        QCOMPARE(g.group->checkedId(), 1);
        QCOMPARE(g.group->markedButton(), g.buttons[0]);

        QTest::mouseClick(g.buttons[1], Qt::LeftButton);
        g.group->setLastButtonChecked(g.group->button(2)); // confirmed
        QCOMPARE(g.group->lastButtonCheckedId(), 2);
        QCOMPARE(g.group->lastButtonChecked(), g.buttons[1]);
    }

    void forgottenButtons()
    {
        Group g;
        fill(g, QString());
        g.group->setLastButtonChecked(g.buttons[1]);
        g.group->removeButton(g.buttons[1]);
        QCOMPARE(g.group->lastButtonCheckedId(), -1);

        g.group->setLastButtonChecked(g.buttons[2]);
        delete g.buttons[2];
        QCOMPARE(g.group->lastButtonChecked(), nullptr);
        QCOMPARE(g.group->lastButtonCheckedId(), -1);
    }

    void checkMarkFollowsTheCheckedButton_data()
    {
        QTest::addColumn<QString>("image");
        QTest::newRow("missing image: drawn mark") << QStringLiteral("no/such/file.png");
        QTest::newRow("no image given") << QString();
    }

    void checkMarkFollowsTheCheckedButton()
    {
        QFETCH(QString, image);
        Group g;
        fill(g, image);
        QCOMPARE(g.group->markedButton(), nullptr);
        g.buttons[1]->setChecked(true);
        QCOMPARE(g.group->markedButton(), g.buttons[1]);
        g.buttons[0]->setChecked(true);
        QCOMPARE(g.group->markedButton(), g.buttons[0]);
        g.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.window));
        // The mark lets clicks through to its button: hit testing does not find it.
        const QPoint onMark(g.buttons[0]->width() - 8, 8);
        QCOMPARE(g.buttons[0]->childAt(onMark), nullptr);
        QTest::mouseClick(g.buttons[2], Qt::LeftButton);
        QCOMPARE(g.group->checkedId(), 3);
        QCOMPARE(g.group->markedButton(), g.buttons[2]);
    }

    // On the screen, the button the mark left looks like one that never had it.
    void movedMarkLeavesNothingBehind_data() { checkMarkFollowsTheCheckedButton_data(); }

    void movedMarkLeavesNothingBehind()
    {
        QFETCH(QString, image);
        Group g;
        fill(g, image);
        g.buttons[0]->setChecked(true);
        g.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.window));
        QCoreApplication::processEvents();
        g.buttons[2]->setChecked(true);
        QCOMPARE(g.group->markedButton(), g.buttons[2]);
        QTest::qWait(20);
        const QImage never = ScreenImage::held(g.buttons[1]);
        QCOMPARE(ScreenImage::held(g.buttons[0]), never);
        QVERIFY(ScreenImage::held(g.buttons[2]) != never);
    }

    void buttonsAddedThroughTheBaseClassAreMarkedToo()
    {
        QWidget window;
        auto* group = new ButtonGroup(QString(), &window);
        auto* button = new QToolButton(&window);
        button->setCheckable(true);
        button->setChecked(true);
        static_cast<QButtonGroup*>(group)->addButton(button, 1);
        QTRY_COMPARE(group->markedButton(), button);
    }

    void groupDiesBeforeItsButtons()
    {
        QWidget window;
        auto* button = new QToolButton(&window);
        button->setCheckable(true);
        {
            ButtonGroup group(QString(), nullptr);
            group.addButton(button, 1);
            button->setChecked(true);
        }
        button->setChecked(false);
        QTest::qWait(10);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
};

QTEST_MAIN(TstChoiceWidgets)
#include "tst_choicewidgets.moc"
