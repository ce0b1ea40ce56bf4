// What the unit's answers do to the window, through the controller: the governor panel shows
// the widgets of the mode and leaves them alone when the mode stays, the RPM step in use is
// marked on its edit only, and each answer reaches the widget of its address however it is
// written.
#include "controllertestsupport.h"
#include "parametermodel.h"

#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

namespace {

const int TabGovernor = 8;
const int TabTail = 7;

// Counts the visibility and style changes of the widgets it watches.
class ChangeWatch : public QObject
{
public:
    void watch(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            ++shownOrHidden;
            names << watched->objectName();
            break;
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
        case QEvent::FontChange:
            ++restyled[watched];
            break;
        default:
            break;
        }
        return false;
    }
    int shownOrHidden = 0;
    QStringList names;
    QHash<QObject*, int> restyled;
};

// Most of the edit's face is the marking yellow.
bool markedYellow(QLineEdit* edit)
{
    const QImage face = edit->grab().toImage();
    int yellow = 0;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x)
            yellow += face.pixelColor(x, y) == QColor(255, 255, 0) ? 1 : 0;
    }
    return yellow * 2 > face.width() * face.height();
}

QList<QWidget*> governorChildren(Ui::MainWidget* ui)
{
    return ui->frameGovernor->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

class TestAnswerDisplay : public QObject
{
    Q_OBJECT
private slots:
    void governorModeShowsItsWidgets_data();
    void governorModeShowsItsWidgets();
    void sameGovernorModeTouchesNothing_data();
    void sameGovernorModeTouchesNothing();
    void rpmStepMarkedOnItsEdit_data();
    void rpmStepMarkedOnItsEdit();
    void rpmMarkKeepsTheFont_data();
    void rpmMarkKeepsTheFont();
    void answerTextReachesItsWidget_data();
    void answerTextReachesItsWidget();
};

void TestAnswerDisplay::governorModeShowsItsWidgets_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("disabled to electric") << 0 << 1;
    QTest::newRow("electric to nitro") << 1 << 2;
    QTest::newRow("nitro to disabled") << 2 << 0;
    QTest::newRow("disabled to nitro") << 0 << 2;
    QTest::newRow("nitro to electric") << 2 << 1;
    QTest::newRow("electric to disabled") << 1 << 0;
}

void TestAnswerDisplay::governorModeShowsItsWidgets()
{
    QFETCH(int, from);
    QFETCH(int, to);
    ControllerFixture f;
    f.ui->mainTab->setCurrentIndex(TabGovernor);
    f.ui->resize(1280, 660);
    f.ui->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.ui));
    f.answer(QStringLiteral("511,%1").arg(from));
    f.answer(QStringLiteral("511,%1").arg(to));
    QCOMPARE(f.ui->cbGovernorMode->currentIndex(), to);

    QFrame* frame = f.ui->frameGovernor;
    const bool enabled = to != 0;
    const bool nitro = to == 2;
    QCOMPARE(f.ui->cbGovernorMode->isVisibleTo(frame), true);
    QCOMPARE(f.ui->cbGain->isVisibleTo(frame), enabled);
    QCOMPARE(f.ui->cbGasServosType->isVisibleTo(frame), enabled && nitro);
    QCOMPARE(f.ui->checkThrottleServosReverse->isVisibleTo(frame), enabled && nitro);
    QCOMPARE(f.ui->editSensorConfig->isVisibleTo(frame), enabled && !nitro);
    QCOMPARE(f.ui->checkIdleDuringBailout->isVisibleTo(frame), enabled && !nitro);
    QCOMPARE(f.ui->editRPM1->isVisibleTo(frame), enabled);
    QCOMPARE(f.ui->editGearRatio->isVisibleTo(frame), enabled);
    // The panel goes on repainting what changes afterwards.
    QVERIFY(frame->updatesEnabled());
    for (QWidget* child : governorChildren(f.ui))
        QVERIFY2(child->updatesEnabled(), qPrintable(child->objectName()));
}

void TestAnswerDisplay::sameGovernorModeTouchesNothing_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("disabled") << 0;
    QTest::newRow("electric") << 1;
    QTest::newRow("nitro") << 2;
}

void TestAnswerDisplay::sameGovernorModeTouchesNothing()
{
    QFETCH(int, mode);
    ControllerFixture f;
    f.ui->mainTab->setCurrentIndex(TabGovernor);
    f.answer(QStringLiteral("511,%1").arg(mode == 0 ? 1 : 0));
    f.answer(QStringLiteral("511,%1").arg(mode));
    ChangeWatch watch;
    for (QWidget* child : governorChildren(f.ui))
        watch.watch(child);
    f.answer(QStringLiteral("511,%1").arg(mode));
    // The same mode again, as every poll of the tab brings it.
    f.answer(QStringLiteral("511,%1").arg(mode));
    QCOMPARE(watch.names, QStringList());
    QCOMPARE(watch.shownOrHidden, 0);
}

void TestAnswerDisplay::rpmStepMarkedOnItsEdit_data()
{
    QTest::addColumn<QList<int>>("steps"); // answers for 535, in order
    QTest::addColumn<int>("marked");       // 1..3, 0 for none
    QTest::newRow("first") << QList<int>{1} << 1;
    QTest::newRow("second after first") << QList<int>{1, 2} << 2;
    QTest::newRow("third after none") << QList<int>{0, 3} << 3;
    QTest::newRow("none after third") << QList<int>{3, 0} << 0;
    QTest::newRow("back and forth") << QList<int>{1, 2, 1, 2, 3, 1} << 1;
}

void TestAnswerDisplay::rpmStepMarkedOnItsEdit()
{
    QFETCH(QList<int>, steps);
    QFETCH(int, marked);
    ControllerFixture f;
    f.ui->mainTab->setCurrentIndex(TabGovernor);
    f.ui->show(); // the window's look is finished by the time the pilot sees it
    QVERIFY(QTest::qWaitForWindowExposed(f.ui));
    f.answer(QStringLiteral("511,1"));
    for (const int step : steps)
        f.answer(QStringLiteral("535,%1").arg(step));
    QLineEdit* const edits[3] = {f.ui->editRPM1, f.ui->editRPM2, f.ui->editRPM3};
    ChangeWatch watch;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(markedYellow(edits[i]), i + 1 == marked);
        watch.watch(edits[i]);
    }
    // The step again changes no edit's look.
    f.answer(QStringLiteral("535,%1").arg(steps.last()));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(watch.restyled.value(edits[i]), 0);
        QCOMPARE(markedYellow(edits[i]), i + 1 == marked);
    }
    // The values stay readable on the mark: the text of a marked edit is dark.
    if (marked > 0) {
        QLineEdit* edit = edits[marked - 1];
        const QImage face = edit->grab().toImage();
        int dark = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x)
                dark += qGray(face.pixel(x, y)) < 80 ? 1 : 0;
        }
        QVERIFY2(dark > 20, qPrintable(QStringLiteral("%1 dark pixels").arg(dark)));
    }
}

void TestAnswerDisplay::rpmMarkKeepsTheFont_data()
{
    QTest::addColumn<QList<int>>("steps"); // answers for 535 once each edit was marked once
    QTest::newRow("one to two") << QList<int>{1, 2};
    QTest::newRow("round") << QList<int>{1, 2, 3, 0, 3};
}

void TestAnswerDisplay::rpmMarkKeepsTheFont()
{
    QFETCH(QList<int>, steps);
    ControllerFixture f;
    f.ui->mainTab->setCurrentIndex(TabGovernor);
    f.ui->show(); // the window's look is finished by the time the pilot sees it
    QVERIFY(QTest::qWaitForWindowExposed(f.ui));
    f.answer(QStringLiteral("511,1"));
    for (const int step : {1, 2, 3, 0})
        f.answer(QStringLiteral("535,%1").arg(step));
    QLineEdit* const edits[3] = {f.ui->editRPM1, f.ui->editRPM2, f.ui->editRPM3};
    // The skin's font, as on every other edit of the panel.
    for (QLineEdit* edit : edits)
        QCOMPARE(edit->font(), f.ui->editGearRatio->font());
    class FontWatch : public QObject
    {
    public:
        int changes = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            changes += event->type() == QEvent::FontChange ? 1 : 0;
            return false;
        }
    } fonts;
    for (QLineEdit* edit : edits)
        edit->installEventFilter(&fonts);
    for (const int step : steps)
        f.answer(QStringLiteral("535,%1").arg(step));
    QCOMPARE(fonts.changes, 0);
    for (QLineEdit* edit : edits)
        QCOMPARE(edit->font(), f.ui->editGearRatio->font());
}

void TestAnswerDisplay::answerTextReachesItsWidget_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("slider"); // the tail gain's slider afterwards
    QTest::addColumn<int>("kept");   // what the parameter model holds for 303
    QTest::newRow("plain") << QStringList{"303,100"} << 100 << 100;
    QTest::newRow("value is the last part") << QStringList{"303,7,60"} << 60 << 60;
    QTest::newRow("another address") << QStringList{"303,40", "304,500"} << 40 << 40;
    QTest::newRow("garbled address") << QStringList{"303,40", "x303,90"} << 40 << 40;
    QTest::newRow("garbled value reads as 0") << QStringList{"303,40", "303,x"} << 0 << 0;
    QTest::newRow("empty answer") << QStringList{"303,40", ""} << 40 << 40;
}

void TestAnswerDisplay::answerTextReachesItsWidget()
{
    QFETCH(QStringList, answers);
    QFETCH(int, slider);
    QFETCH(int, kept);
    ControllerFixture f;
    f.ui->mainTab->setCurrentIndex(TabTail);
    for (const QString& answer : answers)
        f.answer(answer);
    QCOMPARE(f.ui->sliderTailGain->value(), slider);
    QCOMPARE(f.ui->editTailGain->text(), QString::number(slider));
    QCOMPARE(f.controller->parameters()->value(303), kept);
}

QTEST_MAIN(TestAnswerDisplay)
#include "tst_answerdisplay.moc"
