// The window's style sheets and help pages are put in place after the form is built: the
// first time the event loop runs, or at once when the window is shown before that. Either
// way the pilot must see the same window.
#include "mainwidget.h"

#include <resourcemanager.h>

#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QTextBrowser>
#include <QtTest>

class TestWindowLook : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void finishedBeforeSeen_data();
    void finishedBeforeSeen();
};

void TestWindowLook::initTestCase()
{
    QVERIFY(ResourceManager::instance(QStringLiteral("docs/en/strings.xml")));
}

void TestWindowLook::finishedBeforeSeen_data()
{
    QTest::addColumn<bool>("showAtOnce");
    QTest::newRow("event loop runs first") << false;
    QTest::newRow("shown at once") << true;
}

void TestWindowLook::finishedBeforeSeen()
{
    QFETCH(bool, showAtOnce);
    Ui::MainWidget window;
    if (showAtOnce)
        window.show();
    else
        QCoreApplication::processEvents();

    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : qAsConst(widgets)) {
        QVERIFY2(!widget->property("deferredStyleSheet").isValid(),
                 qPrintable(widget->objectName()));
    }
    for (QWidget* styled :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.mainTab),
          static_cast<QWidget*>(window.frameGovernor), static_cast<QWidget*>(window.frame)}) {
        QVERIFY2(!styled->styleSheet().isEmpty(), qPrintable(styled->objectName()));
    }
    // The record arrows keep their grey picture for the ends of the log.
    QVERIFY(window.frame->styleSheet().contains(QStringLiteral("left-arrow-disabled.png")));
    for (QTextBrowser* help : window.findChildren<QTextBrowser*>())
        QVERIFY2(!help->toPlainText().trimmed().isEmpty(), qPrintable(help->objectName()));
    // The edits' digits are drawn without shaping, with the sheets' fonts resolved over it.
    const QList<QLineEdit*> edits = window.findChildren<QLineEdit*>();
    QVERIFY(edits.size() > 40);
    for (QLineEdit* edit : edits) {
        QVERIFY2(edit->font().styleStrategy() & QFont::PreferNoShaping,
                 qPrintable(edit->objectName()));
    }

    // What the pilot sees: the start panel in its own dark blue, not the platform's grey.
    if (!showAtOnce)
        window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage panel = window.frameStart->grab().toImage();
    QCOMPARE(panel.pixelColor(panel.width() / 2, panel.height() - 8), QColor(0x23, 0x2b, 0x35));
    // And the help pages in the sheet's light text over the window, not black on white,
    // including the ones the form had already shown before the sheets were set.
    for (QTextBrowser* help : window.findChildren<QTextBrowser*>()) {
        QCOMPARE(help->palette().color(QPalette::Text), QColor(0xe4, 0xe8, 0xee));
        QVERIFY2(!help->viewport()->autoFillBackground(), qPrintable(help->objectName()));
    }
}

QTEST_MAIN(TestWindowLook)
#include "tst_windowlook.moc"
