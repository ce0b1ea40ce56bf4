// The line-edit editing protocol with real keyboard and focus events: typing marks an
// edit in progress, Return commits and sends, leaving the edit reverts and sends nothing.

#include "lineeditadaptor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

class TestLineEditAdaptor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingMarksEditInProgress();
    void returnSendsParsedValue_data();
    void returnSendsParsedValue();
    void leavingRevertsAndSendsNothing_data();
    void leavingRevertsAndSendsNothing();
    void revertGoesToTextAtFocusNotLaterDeviceValue();
    void revertGoesToTextAtLastReturn();
    void leavingWithoutTypingDoesNothing();
    void contextMenuKeepsTheTyping();

private:
    // Focus needs a shown, active window.
    void focusEdit();

    QWidget* m_window = nullptr;
    QLineEdit* m_edit = nullptr;
    QLineEdit* m_other = nullptr;
    LineEditAdaptor* m_adaptor = nullptr;
};

void TestLineEditAdaptor::init()
{
    m_window = new QWidget;
    auto* layout = new QVBoxLayout(m_window);
    m_edit = new QLineEdit(m_window);
    m_other = new QLineEdit(m_window);
    layout->addWidget(m_edit);
    layout->addWidget(m_other);
    m_adaptor = new LineEditAdaptor(m_edit);
    m_adaptor->setValue(25);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestLineEditAdaptor::cleanup()
{
    delete m_adaptor;
    delete m_window;
}

void TestLineEditAdaptor::focusEdit()
{
    m_edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(m_edit->hasFocus());
}

void TestLineEditAdaptor::typingMarksEditInProgress()
{
    focusEdit();
    QSignalSpy typed(m_adaptor, &LineEditAdaptor::_editTextEdited);
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    QTest::keyClick(m_edit, Qt::Key_End);
    QTest::keyClick(m_edit, Qt::Key_7);

    QVERIFY(m_adaptor->isReadOnly());
    QVERIFY(m_adaptor->isEditing());
    QCOMPARE(typed.count(), 1);
    QCOMPARE(typed.at(0).at(0).toString(), QString("257"));
    QCOMPARE(sent.count(), 0);
}

void TestLineEditAdaptor::returnSendsParsedValue_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << "130" << 130;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("leading zero") << "0042" << 42;
    QTest::newRow("not a number") << "12a" << 0;
    QTest::newRow("decimal") << "1.5" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestLineEditAdaptor::returnSendsParsedValue()
{
    QFETCH(QString, typed);
    QFETCH(int, value);
    focusEdit();
    QStringList order;
    connect(m_adaptor, &LineEditAdaptor::_editReturnPressed, this,
            [&order](QObject* field) { order << field->metaObject()->className(); });
    connect(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged, this,
            [&order] { order << "sent"; });
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    m_edit->selectAll();
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QTest::keyClicks(m_edit, typed);
    QVERIFY(m_adaptor->isReadOnly());
    QTest::keyClick(m_edit, Qt::Key_Return);

    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toInt(), value);
    QCOMPARE(sent.at(0).at(1).toBool(), false);
    QCOMPARE(order, (QStringList{"QLineEdit", "sent"}));
    QVERIFY(!m_adaptor->isReadOnly());
    QCOMPARE(m_edit->text(), typed);
    QCOMPARE(m_adaptor->lastCommittedText(), typed);
}

void TestLineEditAdaptor::leavingRevertsAndSendsNothing_data()
{
    QTest::addColumn<bool>("byClick");
    QTest::newRow("tab") << false;
    QTest::newRow("click elsewhere") << true;
}

void TestLineEditAdaptor::leavingRevertsAndSendsNothing()
{
    QFETCH(bool, byClick);
    focusEdit();
    QSignalSpy lost(m_adaptor, &LineEditAdaptor::_editLostFocus);
    QSignalSpy sent(m_adaptor, &AbstractFieldAdaptor::_adaptorValueChanged);

    QTest::keyClicks(m_edit, "99");
    if (byClick)
        QTest::mouseClick(m_other, Qt::LeftButton);
    else
        QTest::keyClick(m_edit, Qt::Key_Tab);

    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_edit->text(), QString("25"));
    QCOMPARE(lost.count(), 1);
    QCOMPARE(lost.at(0).at(0).value<QObject*>(), m_edit);
    QCOMPARE(sent.count(), 0);
    QVERIFY(!m_adaptor->isReadOnly());
    QVERIFY(!m_adaptor->isEditing());
}

// A device value shown while the edit has focus is not what a later abandoned edit
// returns to: the text at focus-in (or at the last Return) is.
void TestLineEditAdaptor::revertGoesToTextAtFocusNotLaterDeviceValue()
{
    focusEdit();
    m_adaptor->setValue(40);
    QCOMPARE(m_edit->text(), QString("40"));
    QTest::keyClicks(m_edit, "1");
    QTest::keyClick(m_edit, Qt::Key_Tab);
    QCOMPARE(m_edit->text(), QString("25"));
}

void TestLineEditAdaptor::revertGoesToTextAtLastReturn()
{
    focusEdit();
    m_edit->clear();
    QTest::keyClicks(m_edit, "60");
    QTest::keyClick(m_edit, Qt::Key_Return);
    QTest::keyClicks(m_edit, "5");
    QCOMPARE(m_edit->text(), QString("605"));
    QTest::keyClick(m_edit, Qt::Key_Tab);
    QCOMPARE(m_edit->text(), QString("60"));
}

void TestLineEditAdaptor::leavingWithoutTypingDoesNothing()
{
    focusEdit();
    QSignalSpy lost(m_adaptor, &LineEditAdaptor::_editLostFocus);
    m_adaptor->setValue(31); // arrives while focused, not typed over: it stays
    QTest::keyClick(m_edit, Qt::Key_Tab);
    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_edit->text(), QString("31"));
    QCOMPARE(lost.count(), 0);
}

// The edit's context menu takes the focus while the user may still paste.
void TestLineEditAdaptor::contextMenuKeepsTheTyping()
{
    focusEdit();
    QSignalSpy lost(m_adaptor, &LineEditAdaptor::_editLostFocus);
    QTest::keyClicks(m_edit, "8");
    QFocusEvent popupFocusOut(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(m_edit, &popupFocusOut);
    QCOMPARE(m_edit->text(), QString("258"));
    QVERIFY(m_adaptor->isReadOnly());
    QCOMPARE(lost.count(), 0);
}

QTEST_MAIN(TestLineEditAdaptor)
#include "tst_lineeditadaptor.moc"
