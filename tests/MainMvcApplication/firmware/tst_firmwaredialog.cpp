// The device information dialog: what it shows before and after the unit answers, and
// the result each way of closing it gives the controller.

#include "firmwaredialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class tst_FirmwareDialog : public QObject
{
    Q_OBJECT

private slots:
    void showsNothingBeforeTheUnitAnswers();
    void setters();
    void latestFirmwareRowNeverShows();
    void framelessDialog();
    void results_data();
    void results();
    void keyboardNeverStartsAnUpdate_data();
    void keyboardNeverStartsAnUpdate();
    void execReturnsOneOnlyForUpdate();
};

namespace {

QString text(const QDialog& dialog, const char* name)
{
    auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

} // namespace

void tst_FirmwareDialog::showsNothingBeforeTheUnitAnswers()
{
    FirmwareDialog dialog(nullptr);
    QCOMPARE(dialog.objectName(), QString("FirmwareDialog"));
    QCOMPARE(dialog.size(), QSize(480, 320));
    QCOMPARE(text(dialog, "lbSerialNumber"), QString("N/A"));
    QCOMPARE(text(dialog, "lbHardwareVersion"), QString("N/A"));
    QCOMPARE(text(dialog, "lbFirmwareVersion"), QString("N/A"));
    QCOMPARE(text(dialog, "lbTitle"), QString("Device Infomartion"));
    QCOMPARE(text(dialog, "label_9"), QString("Serial number"));
    QCOMPARE(text(dialog, "label_10"), QString("Hardware version"));
    QCOMPARE(text(dialog, "label_11"), QString("Firmware version"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnFirmware")->text(), QString("Update firmware"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnCancel")->text(), QString("Cancel"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnClose")->text(), QString("X"));
    // Rows top to bottom: serial number, hardware, firmware.
    auto y = [&dialog](const char* name) { return dialog.findChild<QLabel*>(name)->y(); };
    QVERIFY(y("lbSerialNumber") < y("lbHardwareVersion"));
    QVERIFY(y("lbHardwareVersion") < y("lbFirmwareVersion"));
}

void tst_FirmwareDialog::setters()
{
    FirmwareDialog dialog(nullptr);
    dialog.show();
    dialog.setSerialNumber(QStringLiteral("123456"));
    dialog.setHardwareVersion(QStringLiteral("HW 1.1"));
    dialog.setFirmwareVersion(QStringLiteral("FW 2.15"));
    QCOMPARE(text(dialog, "lbSerialNumber"), QString("123456"));
    QCOMPARE(text(dialog, "lbHardwareVersion"), QString("HW 1.1"));
    QCOMPARE(text(dialog, "lbFirmwareVersion"), QString("FW 2.15"));
    QCOMPARE(text(dialog, "lbLatestFirmware"), QString("N/A"));
}

void tst_FirmwareDialog::latestFirmwareRowNeverShows()
{
    FirmwareDialog dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.findChild<QLabel*>("label_12")->isHidden());
    QVERIFY(dialog.findChild<QLabel*>("lbLatestFirmware")->isHidden());
    QVERIFY(dialog.findChild<QLabel*>("lbSerialNumber")->isVisible());
}

void tst_FirmwareDialog::framelessDialog()
{
    QWidget parent;
    FirmwareDialog dialog(&parent);
    QCOMPARE(dialog.parentWidget(), &parent);
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(dialog.windowType(), Qt::Dialog);
}

void tst_FirmwareDialog::results_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("update") << "btnFirmware" << 1;
    QTest::newRow("cancel") << "btnCancel" << 0;
    QTest::newRow("close box") << "btnClose" << 0;
}

void tst_FirmwareDialog::results()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    FirmwareDialog dialog(nullptr);
    dialog.open();
    QVERIFY(dialog.isVisible());
    dialog.setResult(-1);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.findChild<QPushButton*>(button)->click();
    QCOMPARE(dialog.result(), result);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), result);
    QVERIFY(!dialog.isVisible());
}

void tst_FirmwareDialog::keyboardNeverStartsAnUpdate_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("focusOnUpdate");
    QTest::newRow("escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("escape on update button") << int(Qt::Key_Escape) << true;
    QTest::newRow("return") << int(Qt::Key_Return) << false;
    QTest::newRow("return on update button") << int(Qt::Key_Return) << true;
}

void tst_FirmwareDialog::keyboardNeverStartsAnUpdate()
{
    QFETCH(int, key);
    QFETCH(bool, focusOnUpdate);
    FirmwareDialog dialog(nullptr);
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (focusOnUpdate)
        dialog.findChild<QPushButton*>("btnFirmware")->setFocus();
    dialog.setResult(-1);
    QTest::keyClick(&dialog, Qt::Key(key));
    QCOMPARE(dialog.result(), 0);
    QVERIFY(!dialog.isVisible());
}

void tst_FirmwareDialog::execReturnsOneOnlyForUpdate()
{
    for (const char* name : {"btnFirmware", "btnCancel"}) {
        FirmwareDialog dialog(nullptr);
        QTimer::singleShot(0, &dialog, [&dialog, name] {
            dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        });
        QCOMPARE(dialog.exec(), qstrcmp(name, "btnFirmware") == 0 ? 1 : 0);
    }
}

QTEST_MAIN(tst_FirmwareDialog)
#include "tst_firmwaredialog.moc"
