#include "customframe.h"

#include <QAbstractButton>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TstCustomFrame : public QObject
{
    Q_OBJECT

private:
    static void mouse(QWidget* w, QEvent::Type type, const QPoint& local, const QPoint& global,
                      Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }

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
    void isAFramelessWindow()
    {
        QWidget owner;
        CustomFrame frame(&owner); // even with a parent it is a window of its own
        QVERIFY(frame.isWindow());
        QVERIFY(frame.windowFlags() & Qt::FramelessWindowHint);
    }

    void settings()
    {
        CustomFrame frame;
        frame.setWindowSize(1000, 600);
        QCOMPARE(frame.size(), QSize(1000, 600));
        QCOMPARE(frame.titleBarRect().height(), 40); // until told otherwise
        frame.setWindowTitleSize(1000, 44);
        QCOMPARE(frame.windowTitleSize(), QSize(1000, 44));
        QCOMPARE(frame.titleBarRect(), QRect(0, 0, 1000, 44));
        // A wider window gets a title bar across its whole width.
        frame.resize(1280, 660);
        QCOMPARE(frame.titleBarRect(), QRect(0, 0, 1280, 44));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.closeButton()->geometry().right() == 1279);
        QVERIFY(frame.minimizeButton()->geometry().right() < frame.closeButton()->x());

        frame.setWindowTitle(QStringLiteral("VORA Flybarless Configuration v2.6b"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("VORA Flybarless Configuration v2.6b"));
        // Through the base class, as a designer form's retranslateUi does.
        static_cast<QWidget&>(frame).setWindowTitle(QStringLiteral("Form"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Form"));
    }

    void backgroundImage()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QImage picture(100, 60, QImage::Format_RGB32);
        picture.fill(QColor(200, 40, 40));
        const QString path = dir.filePath(QStringLiteral("background.png"));
        QVERIFY(picture.save(path));

        CustomFrame frame;
        frame.setWindowSize(400, 300);
        frame.setBackgroundImage(path);
        QCOMPARE(frame.backgroundImage(), path);
        const QImage shot = frame.grab().toImage();
        QVERIFY(!isUniform(shot));
        // Below the title bar, the picture covers the window, scaled.
        QCOMPARE(QColor(shot.pixel(200, 200)), QColor(200, 40, 40));

        // A missing picture leaves the drawn background; nothing breaks.
        frame.setBackgroundImage(QStringLiteral("no/such/background.png"));
        QVERIFY(!isUniform(frame.grab().toImage()));
    }

    void titleBarDragMovesTheWindow()
    {
        CustomFrame frame;
        frame.setWindowSize(600, 400);
        frame.move(100, 100);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QPoint start = frame.pos();
        const QPoint grip(200, 20);
        const QPoint globalGrip = frame.mapToGlobal(grip);

        mouse(&frame, QEvent::MouseButtonPress, grip, globalGrip, Qt::LeftButton);
        mouse(&frame, QEvent::MouseMove, grip, globalGrip + QPoint(30, 15), Qt::LeftButton);
        mouse(&frame, QEvent::MouseMove, grip, globalGrip + QPoint(70, 45), Qt::LeftButton);
        mouse(&frame, QEvent::MouseButtonRelease, grip, globalGrip + QPoint(70, 45), Qt::NoButton);
        QCOMPARE(frame.pos(), start + QPoint(70, 45));

        // After the release, moving the mouse moves nothing.
        mouse(&frame, QEvent::MouseMove, grip, globalGrip + QPoint(300, 300), Qt::NoButton);
        QCOMPARE(frame.pos(), start + QPoint(70, 45));
    }

    void dragBelowTheTitleBarDoesNothing()
    {
        CustomFrame frame;
        frame.setWindowSize(600, 400);
        frame.move(100, 100);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QPoint start = frame.pos();
        const QPoint inside(200, 200);
        const QPoint global = frame.mapToGlobal(inside);
        mouse(&frame, QEvent::MouseButtonPress, inside, global, Qt::LeftButton);
        mouse(&frame, QEvent::MouseMove, inside, global + QPoint(50, 50), Qt::LeftButton);
        mouse(&frame, QEvent::MouseButtonRelease, inside, global + QPoint(50, 50), Qt::NoButton);
        QCOMPARE(frame.pos(), start);
    }

    void titleButtonsStayOnTopOfLaterContent()
    {
        CustomFrame frame;
        frame.setWindowSize(600, 400);
        // The form is built after the frame and covers it all.
        auto* content = new QWidget(&frame);
        content->setGeometry(frame.rect());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QPoint onClose = frame.closeButton()->geometry().center();
        QCOMPARE(frame.childAt(onClose), frame.closeButton());
        const QPoint onMinimize = frame.minimizeButton()->geometry().center();
        QCOMPARE(frame.childAt(onMinimize), frame.minimizeButton());
    }

    void titleButtons()
    {
        CustomFrame frame;
        frame.setWindowSize(600, 400);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTest::mouseClick(frame.minimizeButton(), Qt::LeftButton);
        QTRY_VERIFY(frame.windowState() & Qt::WindowMinimized);

        frame.showNormal();
        QTest::mouseClick(frame.closeButton(), Qt::LeftButton);
        QTRY_VERIFY(!frame.isVisible());
    }
};

QTEST_MAIN(TstCustomFrame)
#include "tst_customframe.moc"
