#include "lineeditalert.h"
#include "progressdialog.h"

#include <QPointer>
#include <QtTest>

// The two widgets that appear over the window for a while: the input alert and the
// progress dialog.
class TstOverlays : public QObject
{
    Q_OBJECT

public slots:
    void showProgress(ProgressDialog::Type state, const QString& content)
    {
        m_state = state;
        m_content = content;
    }

private:
    int m_state = -1;
    QString m_content;

private slots:
    void alertFadesInAndOut()
    {
        QWidget window;
        window.resize(400, 300);
        auto* alert = new LineEditAlert(&window);
        alert->setFixedSize(170, 45);
        alert->setText(QStringLiteral("Press Enter"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!alert->isVisible());

        alert->showMe();
        QVERIFY(alert->isVisible());
        QVERIFY(alert->isShowing());
        QTRY_COMPARE(alert->opacity(), 1.0);
        alert->showMe(); // again while shown: stays
        QVERIFY(alert->isVisible());

        alert->hideMe();
        QVERIFY(!alert->isShowing());
        QTRY_VERIFY(!alert->isVisible());
        QCOMPARE(alert->opacity(), 0.0);
        alert->hideMe(); // harmless when hidden
        QVERIFY(!alert->isVisible());
    }

    void alertShownAgainDuringItsFadeOutStays()
    {
        QWidget window;
        auto* alert = new LineEditAlert(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        alert->showMe();
        QTRY_COMPARE(alert->opacity(), 1.0);
        alert->hideMe();
        QTest::qWait(40);
        alert->showMe();
        QTest::qWait(400); // well past the fade-out's end
        QVERIFY(alert->isVisible());
        QCOMPARE(alert->opacity(), 1.0);
    }

    void alertIsTransparentForClicks()
    {
        QWidget window;
        auto* alert = new LineEditAlert(&window);
        alert->move(10, 10);
        window.show();
        alert->showMe();
        QCOMPARE(window.childAt(30, 30), nullptr);
    }

    void alertDestroyedWhileFading()
    {
        QWidget window;
        QPointer<LineEditAlert> alert = new LineEditAlert(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        alert->showMe();
        QTest::qWait(30);
        delete alert.data();
        QTest::qWait(250);
        QVERIFY(alert.isNull());
    }

    void dialogCentresOverItsParent()
    {
        QWidget window;
        window.resize(1000, 600);
        auto* dialog = new ProgressDialog(&window);
        QVERIFY(dialog->isHidden());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!dialog->isVisible());

        dialog->show();
        QVERIFY(dialog->isVisible());
        QVERIFY(qAbs(dialog->geometry().center().x() - window.rect().center().x()) <= 1);
        QVERIFY(qAbs(dialog->geometry().center().y() - window.rect().center().y()) <= 1);

        window.resize(1280, 700);
        QTRY_VERIFY(qAbs(dialog->geometry().center().x() - window.rect().center().x()) <= 1);
        QVERIFY(qAbs(dialog->geometry().center().y() - window.rect().center().y()) <= 1);
        dialog->hide();
        QVERIFY(!dialog->isVisible());
    }

    void dialogStates()
    {
        QWidget window;
        auto* dialog = new ProgressDialog(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The window's order: show, then text, then state.
        dialog->show();
        dialog->setContent(QStringLiteral("Working"));
        dialog->changeState(0);
        QCOMPARE(dialog->content(), QStringLiteral("Working"));
        QCOMPARE(dialog->state(), 0);
        QVERIFY(dialog->isAnimating());

        dialog->changeState(1);
        QCOMPARE(dialog->state(), int(ProgressDialog::Progress));
        QVERIFY(!dialog->isAnimating());
        dialog->setProgressBarValue(42);
        QCOMPARE(dialog->progressBarValue(), 42);
        dialog->setProgressBarValue(150);
        QCOMPARE(dialog->progressBarValue(), 150);

        dialog->changeState(7); // unknown states change nothing
        QCOMPARE(dialog->state(), 1);

        dialog->changeState(0);
        QVERIFY(dialog->isAnimating());
        dialog->hide(); // the spinner does not run for nobody
        QVERIFY(!dialog->isAnimating());
        dialog->show();
        QVERIFY(dialog->isAnimating());
    }

    void dialogTypeWorksInSignatures()
    {
        ProgressDialog dialog;
        QVERIFY(QMetaObject::invokeMethod(this, "showProgress", Qt::QueuedConnection,
                                          Q_ARG(ProgressDialog::Type, ProgressDialog::Progress),
                                          Q_ARG(QString, QStringLiteral("x"))));
        QTRY_COMPARE(m_state, 1);
        QCOMPARE(m_content, QStringLiteral("x"));
    }

    void dialogDestroyedWhileBusy()
    {
        QWidget window;
        QPointer<ProgressDialog> dialog = new ProgressDialog(&window);
        window.show();
        dialog->show();
        dialog->changeState(0);
        QTest::qWait(30);
        delete dialog.data();
        window.resize(500, 500); // no event filter left behind
        QTest::qWait(50);
        QVERIFY(dialog.isNull());
    }
};

QTEST_MAIN(TstOverlays)
#include "tst_overlays.moc"
