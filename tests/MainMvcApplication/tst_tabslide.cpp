// The settings frame of a tab slides in when its tab is chosen. A slide asked for before the
// window shows must not move the frame afterwards: it would end where the form put the frame,
// over the help text, instead of where the layout placed it.
#include "mainwidget.h"

#include <resourcemanager.h>

#include <QFrame>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

class TestTabSlide : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void slideBeforeShowLeavesLayoutPlace_data();
    void slideBeforeShowLeavesLayoutPlace();
    void slideOnShownTabEndsAtRest_data();
    void slideOnShownTabEndsAtRest();
};

namespace {

const int SlideDoneMs = 500; // the slide takes 200 ms

void addTabRows()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("frameName");
    QTest::addColumn<QString>("helpName");
    QTest::newRow("start") << 0 << "frameStart"
                           << "txtBrowserStart";
    QTest::newRow("swash") << 3 << "frameSwash"
                           << "txtBrowserSwash";
    QTest::newRow("governor") << 8 << "frameGovernor"
                              << "txtBrowserGov";
}

} // namespace

void TestTabSlide::initTestCase()
{
    ResourceManager::instance(QStringLiteral("docs/en/strings.xml"));
}

void TestTabSlide::slideBeforeShowLeavesLayoutPlace_data()
{
    addTabRows();
}

void TestTabSlide::slideBeforeShowLeavesLayoutPlace()
{
    QFETCH(int, tab);
    QFETCH(QString, frameName);
    QFETCH(QString, helpName);
    Ui::MainWidget window;
    window.mainTab->setCurrentIndex(tab);
    auto* frame = window.findChild<QFrame*>(frameName);
    auto* help = window.findChild<QTextBrowser*>(helpName);
    QVERIFY(frame && help);
    // As when the tab is chosen while the window is still being built.
    window.animationWhenTabChange(tab);
    window.resize(1280, 660);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect placed = frame->geometry();
    QTest::qWait(SlideDoneMs);
    QCOMPARE(frame->geometry(), placed);
    QVERIFY(!frame->geometry().intersects(help->geometry()));
}

void TestTabSlide::slideOnShownTabEndsAtRest_data()
{
    addTabRows();
}

void TestTabSlide::slideOnShownTabEndsAtRest()
{
    QFETCH(int, tab);
    QFETCH(QString, frameName);
    Ui::MainWidget window;
    window.mainTab->setCurrentIndex(tab);
    auto* frame = window.findChild<QFrame*>(frameName);
    QVERIFY(frame);
    window.resize(1280, 660);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint rest = frame->pos();
    window.animationWhenTabChange(tab);
    QTRY_VERIFY_WITH_TIMEOUT(frame->pos() != rest, SlideDoneMs); // it does slide
    QTRY_COMPARE_WITH_TIMEOUT(frame->pos(), rest, SlideDoneMs);
}

QTEST_MAIN(TestTabSlide)
#include "tst_tabslide.moc"
