// What the unit's answers do to the window, through the controller: the governor panel
// leaves its widgets alone when the mode stays, marking an RPM step keeps the edits' font,
// and each answer reaches the widget of its address however it is written. (What each mode
// shows and which edit is marked: tst_governorpanel.)
#include "controllertestsupport.h"
#include "parametermodel.h"
#include "widgetchangecounter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

namespace {

const int TabGovernor = 8;
const int TabTail = 7;

QList<QWidget*> governorChildren(Ui::MainWidget* ui)
{
    return ui->frameGovernor->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

class TestAnswerDisplay : public QObject
{
    Q_OBJECT
private slots:
    void sameGovernorModeTouchesNothing_data();
    void sameGovernorModeTouchesNothing();
    void rpmMarkKeepsTheFont_data();
    void rpmMarkKeepsTheFont();
    void answerTextReachesItsWidget_data();
    void answerTextReachesItsWidget();
};

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
    WidgetChangeCounter counter;
    for (QWidget* child : governorChildren(f.ui))
        counter.watch(child);
    f.answer(QStringLiteral("511,%1").arg(mode));
    // The same mode again, as every poll of the tab brings it.
    f.answer(QStringLiteral("511,%1").arg(mode));
    QCOMPARE(counter.shownNames(), QStringList());
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
    WidgetChangeCounter counter;
    for (QLineEdit* edit : edits)
        counter.watch(edit);
    for (const int step : steps)
        f.answer(QStringLiteral("535,%1").arg(step));
    QCOMPARE(counter.fonts.size(), 0);
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
