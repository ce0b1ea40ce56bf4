// The governor panel and the RPM mark change only the widgets whose state changes: every
// show, hide and new style sheet costs a layout, a polish or a repaint, and the unit's
// answers arrive many times a second.
#include "mainwidget.h"
#include "widgetchangecounter.h"

#include <resourcemanager.h>

#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QtTest>

namespace {

// What the pilot sees: most of the edit's face is the marking yellow.
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

} // namespace

class TestGovernorPanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void onlyChangedWidgetsShownOrHidden_data();
    void onlyChangedWidgetsShownOrHidden();
    void onlyChangedRpmEditsRestyled_data();
    void onlyChangedRpmEditsRestyled();

private:
    Ui::MainWidget* m_window = nullptr;
};

void TestGovernorPanel::initTestCase()
{
    ResourceManager::instance(QStringLiteral("docs/en/strings.xml"));
    m_window = new Ui::MainWidget;
    m_window->intializeWidgetProperties();
    connect(m_window->cbGovernorMode, SIGNAL(currentIndexChanged(int)), m_window,
            SLOT(comboBox_currentIndexChanged(int)));
    connect(m_window->rpmType, SIGNAL(currentIndexChanged(int)), m_window,
            SLOT(comboBox_currentIndexChanged(int)));
    m_window->mainTab->setCurrentIndex(8);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestGovernorPanel::cleanupTestCase()
{
    delete m_window;
}

void TestGovernorPanel::onlyChangedWidgetsShownOrHidden_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("disabled to electric") << 0 << 1;
    QTest::newRow("electric to nitro") << 1 << 2;
    QTest::newRow("nitro to electric") << 2 << 1;
    QTest::newRow("nitro to disabled") << 2 << 0;
    QTest::newRow("disabled to nitro") << 0 << 2;
    QTest::newRow("electric to disabled") << 1 << 0;
}

void TestGovernorPanel::onlyChangedWidgetsShownOrHidden()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFrame* frame = m_window->frameGovernor;
    m_window->cbGovernorMode->setCurrentIndex(from);
    const QList<QWidget*> children =
            frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QHash<QWidget*, bool> before;
    WidgetChangeCounter counter;
    for (QWidget* child : children) {
        before.insert(child, child->isVisibleTo(frame));
        counter.watch(child);
    }
    m_window->cbGovernorMode->setCurrentIndex(to);
    int changed = 0;
    for (QWidget* child : children) {
        const bool flipped = before.value(child) != child->isVisibleTo(frame);
        changed += flipped ? 1 : 0;
        QVERIFY2(counter.shown.value(child) == (flipped ? 1 : 0),
                 qPrintable(child->objectName() + QStringLiteral(" shown or hidden %1 times")
                                                          .arg(counter.shown.value(child))));
    }
    QVERIFY(changed > 0);

    // The mode's own widgets, and a panel that goes on repainting what changes afterwards.
    const bool enabled = to != 0;
    const bool nitro = to == 2;
    QVERIFY(m_window->cbGovernorMode->isVisibleTo(frame));
    QCOMPARE(m_window->cbGain->isVisibleTo(frame), enabled);
    QCOMPARE(m_window->cbGasServosType->isVisibleTo(frame), enabled && nitro);
    QCOMPARE(m_window->checkThrottleServosReverse->isVisibleTo(frame), enabled && nitro);
    QCOMPARE(m_window->editSensorConfig->isVisibleTo(frame), enabled && !nitro);
    QCOMPARE(m_window->checkIdleDuringBailout->isVisibleTo(frame), enabled && !nitro);
    QCOMPARE(m_window->editRPM1->isVisibleTo(frame), enabled);
    QCOMPARE(m_window->editGearRatio->isVisibleTo(frame), enabled);
    QVERIFY(frame->updatesEnabled());
    for (QWidget* child : children)
        QVERIFY2(child->updatesEnabled(), qPrintable(child->objectName()));
}

void TestGovernorPanel::onlyChangedRpmEditsRestyled_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<bool>>("restyled"); // RPM1, RPM2, RPM3
    QTest::newRow("1 to 2") << 1 << 2 << QList<bool>{true, true, false};
    QTest::newRow("none to 3") << 0 << 3 << QList<bool>{false, false, true};
    QTest::newRow("3 to none") << 3 << 0 << QList<bool>{false, false, true};
    QTest::newRow("2 to 1") << 2 << 1 << QList<bool>{true, true, false};
}

void TestGovernorPanel::onlyChangedRpmEditsRestyled()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<bool>, restyled);
    m_window->cbGovernorMode->setCurrentIndex(1);
    m_window->rpmType->setCurrentIndex(from);
    const QList<QLineEdit*> edits = {m_window->editRPM1, m_window->editRPM2, m_window->editRPM3};
    WidgetChangeCounter counter;
    for (QLineEdit* edit : edits)
        counter.watch(edit);
    m_window->rpmType->setCurrentIndex(to);
    for (int i = 0; i < edits.size(); ++i) {
        QCOMPARE(counter.styled.value(edits.at(i)) > 0, restyled.at(i));
        QCOMPARE(markedYellow(edits.at(i)), i + 1 == to);
        // A re-polish puts back the font the edit had before the sheets: it must be the one
        // that draws digits without shaping.
        QVERIFY(edits.at(i)->font().styleStrategy() & QFont::PreferNoShaping);
    }
    // The value stays readable on the mark: the marked edit's text is dark.
    if (to > 0) {
        const QImage face = edits.at(to - 1)->grab().toImage();
        int dark = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x)
                dark += qGray(face.pixel(x, y)) < 80 ? 1 : 0;
        }
        QVERIFY2(dark > 20, qPrintable(QStringLiteral("%1 dark pixels").arg(dark)));
    }
}

QTEST_MAIN(TestGovernorPanel)
#include "tst_governorpanel.moc"
