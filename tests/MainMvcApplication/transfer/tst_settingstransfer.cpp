// The file flows against a link that plays a unit: saving (also without a unit), opening a
// parameter file or a backup (the unit's values read first, the differences shown, only
// checked rows written, each confirmed), the end messages, and the backup.

#include "transfertestsupport.h"

#include "parametermodel.h"
#include "settingstransfer.h"

#include <unitsettingtable.h>

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A unit holding every setting at its default, and its serial number.
QMap<int, int> defaultUnit()
{
    QMap<int, int> unit;
    for (const UnitSettingTable::Setting& setting : UnitSettingTable::all())
        unit.insert(setting.address, setting.defaultValue);
    unit.insert(3, 100042);
    return unit;
}

struct Fixture : ControllerFixture
{
    Fixture()
        : ControllerFixture(new UnitLink)
        , unitLink(static_cast<UnitLink*>(link))
    {
        unitLink->unit = defaultUnit();
    }
    UnitLink* unitLink;
};

} // namespace

class TestSettingsTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void saveWithoutUnitAsksFirst_data();
    void saveWithoutUnitAsksFirst();
    void savedNameGetsSuffix_data();
    void savedNameGetsSuffix();
    void dialogsStartInDocuments();
    void openListsBadLinesAndWritesOnlyGoodOnes();
    void uncheckedRowsAreNotWritten();
    void cancelWritesNothing();
    void nothingDiffers();
    void loadCutShortByLostUnit();
    void cutShortSaysWhatTheUnitHolds_data();
    void cutShortSaysWhatTheUnitHolds();
    void unconfirmedWriteIsNamed();
    void backupFileMayHoldEverySetting();
    void backupRefusedWithoutUnit();
    void backupSavesEverySetting();
    void displayUnits_data();
    void displayUnits();
};

void TestSettingsTransfer::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestSettingsTransfer::saveWithoutUnitAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("cancelled") << int(QMessageBox::Cancel) << false;
    QTest::newRow("closed") << int(QMessageBox::Escape) << false;
    QTest::newRow("save anyway") << int(QMessageBox::Save) << true;
}

void TestSettingsTransfer::saveWithoutUnitAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, saved);
    Fixture f;
    f.link->connected = false;
    f.controller->savePath = f.dir.filePath("offline.fbl");
    BoxAnswerer answers({QMessageBox::StandardButton(answer)});
    answers.onBox = [](QMessageBox* box) { shootIfAsked(box, QStringLiteral("save-offline")); };
    f.ui->btnSave->click();

    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().title, tr_(5200));
    QCOMPARE(answers.seen.first().text, tr_(5201));
    QCOMPARE(answers.seen.first().defaultButton, QMessageBox::Cancel);
    QCOMPARE(QFile::exists(f.controller->savePath), saved);
    // The file dialog only comes after the pilot agreed.
    QCOMPARE(f.controller->dialogCaptions.size(), saved ? 1 : 0);
    QVERIFY(f.link->texts("readOne").isEmpty());
    if (saved) // the window's values
        QCOMPARE(readPairs(f.controller->savePath).value(137),
                 f.controller->parameters()->value(137));
}

void TestSettingsTransfer::savedNameGetsSuffix_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no suffix") << "heli"
                               << "heli.fbl";
    QTest::newRow("own suffix kept") << "heli.txt"
                                     << "heli.txt";
    QTest::newRow("dotted folder") << "my.setups/heli"
                                   << "my.setups/heli.fbl";
}

void TestSettingsTransfer::savedNameGetsSuffix()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    Fixture f;
    f.link->connected = true;
    QDir(f.dir.path()).mkpath("my.setups");
    f.controller->savePath = f.dir.filePath(typed);
    f.ui->btnSave->click();
    QVERIFY(QFile::exists(f.dir.filePath(written)));
    QCOMPARE(QDir(f.dir.path()).entryList({"heli*"}, QDir::Files).size() +
                     QDir(f.dir.filePath("my.setups")).entryList(QDir::Files).size(),
             1);
}

void TestSettingsTransfer::dialogsStartInDocuments()
{
    Fixture f;
    f.link->connected = true;
    f.controller->savePath.clear();
    f.controller->openPath.clear();
    f.ui->btnSave->click();
    f.ui->btnOpen->click();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(f.controller->dialogDirs, QStringList({documents, documents}));
    QVERIFY(!f.controller->dialogDirs.contains(QCoreApplication::applicationDirPath()));
}

void TestSettingsTransfer::openListsBadLinesAndWritesOnlyGoodOnes()
{
    Fixture f;
    f.goOnline(0);
    f.link->clear();
    const QString path = f.dir.filePath("mixed.fbl");
    writeFile(path, "0136=0002\n"        // differs: written
                    "0137=99999999999\n" // does not parse
                    "0138=0x20\n"        // does not parse
                    "0139=0101\n"        // out of range (0..100)
                    "0150=0001\n"        // a setting, but not one of a parameter file
                    "0010=0040\n"        // a command
                    "0304=0450\n"        // differs: written
                    "0305=0250\n"        // equal to the unit: neither shown nor written
                    "junk\n");
    f.controller->openPath = path;
    QMap<int, QString> rows;
    QString notWritten;
    QString count;
    whenRestoreDialog([&](RestoreDialog* dialog) {
        rows = restoreRows(dialog);
        notWritten = dialog->notWrittenList()->toPlainText();
        count = dialog->findChild<QLabel*>("restoreCount")->text();
        dialog->writeButton()->click();
    });
    BoxAnswerer answers({QMessageBox::Ok});
    f.ui->btnOpen->click();

    // The unit was read for the writable addresses only, before anything was written.
    QVERIFY(f.link->reads().contains(QStringLiteral("0136,0304,0305")));
    QCOMPARE(rows.keys(), QList<int>({136, 304}));
    QCOMPARE(rows.value(304), f.controller->transfer()->catalog().name(304) + "|500|450");
    QCOMPARE(count, tr_(5220).arg(2));
    const QStringList lines = notWritten.split('\n');
    QCOMPARE(lines.size(), 6);
    QVERIFY(lines.contains(tr_(5210).arg(2).arg("0137=99999999999")));
    QVERIFY(lines.contains(tr_(5210).arg(3).arg("0138=0x20")));
    QVERIFY(lines.contains(tr_(5210).arg(9).arg("junk")));
    QVERIFY(lines.contains(tr_(5211)
                                   .arg(4)
                                   .arg(f.controller->transfer()->catalog().name(139))
                                   .arg(101)
                                   .arg(0)
                                   .arg(100)));
    QVERIFY(lines.contains(tr_(5208).arg(f.controller->transfer()->catalog().name(150)).arg(150)));
    QVERIFY(lines.contains(tr_(5209).arg(10)));

    QCOMPARE(f.link->writes(), QStringList({"136,2", "304,450"}));
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().title, tr_(5216));
    QCOMPARE(answers.seen.first().text, tr_(5217).arg(2));
    QCOMPARE(answers.seen.first().icon, QMessageBox::Information);
    QCOMPARE(f.controller->parameters()->value(304), 450);
    QCOMPARE(f.controller->currentRunMode(), MainController::Online);
    QVERIFY(!f.ui->progressDialog->isVisible());
}

void TestSettingsTransfer::uncheckedRowsAreNotWritten()
{
    Fixture f;
    f.goOnline(0);
    f.link->clear();
    const QString path = f.dir.filePath("three.fbl");
    writeFile(path, "0136=0002\n0304=0450\n0340=0120\n");
    f.controller->openPath = path;
    whenRestoreDialog([&](RestoreDialog* dialog) {
        QCOMPARE(dialog->checkedAddresses(), QList<int>({136, 304, 340}));
        dialog->setChecked(304, false);
        QVERIFY(dialog->findChild<QLabel*>("restoreCount")->text() == tr_(5220).arg(2));
        dialog->writeButton()->click();
    });
    BoxAnswerer answers({QMessageBox::Ok});
    f.ui->btnOpen->click();
    QCOMPARE(f.link->writes(), QStringList({"136,2", "340,120"}));
    QCOMPARE(f.unitLink->unit.value(304), 500);
    QCOMPARE(answers.seen.first().text, tr_(5217).arg(2));
}

void TestSettingsTransfer::cancelWritesNothing()
{
    Fixture f;
    f.goOnline(0);
    f.link->clear();
    const QString path = f.dir.filePath("one.fbl");
    writeFile(path, "0136=0002\n");
    f.controller->openPath = path;
    bool writeEnabledWithNoneChecked = true;
    whenRestoreDialog([&](RestoreDialog* dialog) {
        dialog->setChecked(136, false);
        writeEnabledWithNoneChecked = dialog->writeButton()->isEnabled();
        dialog->reject();
    });
    f.ui->btnOpen->click();
    QVERIFY(!writeEnabledWithNoneChecked);
    QVERIFY(f.link->writes().isEmpty());
    QCOMPARE(f.controller->currentRunMode(), MainController::Online);
}

void TestSettingsTransfer::nothingDiffers()
{
    Fixture f;
    f.goOnline(0);
    f.link->clear();
    const QString path = f.dir.filePath("same.fbl");
    writeFile(path, "0136=0001\n0137=0045\n");
    f.controller->openPath = path;
    BoxAnswerer answers({QMessageBox::Ok});
    f.ui->btnOpen->click();
    QVERIFY(f.link->writes().isEmpty());
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().text, tr_(5213).arg(2));
}

void TestSettingsTransfer::loadCutShortByLostUnit()
{
    Fixture f;
    f.controller->pauseMs = 30;
    f.goOnline(0);
    f.link->clear();
    const QString path = f.dir.filePath("four.fbl");
    writeFile(path, "0136=0002\n0137=0050\n0138=0001\n0139=0005\n");
    f.controller->openPath = path;
    // The cable is pulled as the second value goes out.
    f.link->onWrite = [&] {
        if (f.link->writes().size() == 2) {
            f.link->connected = false;
            QTimer::singleShot(0, [&] { f.controller->handlePortStatusChanged(-100); });
        }
    };
    whenRestoreDialog([](RestoreDialog* dialog) { dialog->writeButton()->click(); });
    BoxAnswerer answers({QMessageBox::Ok});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unit went away.*1 of 4"));
    f.ui->btnOpen->click();

    QCOMPARE(f.link->writes().size(), 2);
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().icon, QMessageBox::Critical);
    QVERIFY(answers.seen.first().text.startsWith(tr_(5218).arg(1).arg(4)));
    // The value under way when the unit went away is named as not confirmed.
    QVERIFY(answers.seen.first().text.contains(f.controller->transfer()->catalog().name(137)));
    QCOMPARE(f.controller->currentRunMode(), MainController::Offline);
    f.goOnline(0);
    QCOMPARE(f.controller->currentRunMode(), MainController::Online);
}

void TestSettingsTransfer::unconfirmedWriteIsNamed()
{
    Fixture f;
    f.goOnline(0);
    f.link->clear();
    f.unitLink->unconfirmed = {304};
    const QString path = f.dir.filePath("two.fbl");
    writeFile(path, "0136=0002\n0304=0450\n0305=0300\n");
    f.controller->openPath = path;
    whenRestoreDialog([](RestoreDialog* dialog) { dialog->writeButton()->click(); });
    BoxAnswerer answers({QMessageBox::Ok});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("1 of 3 values .* not confirmed"));
    f.ui->btnOpen->click();
    // The next value still goes out after a refused one.
    QCOMPARE(f.link->writes(), QStringList({"136,2", "304,450", "305,300"}));
    QCOMPARE(answers.seen.first().icon, QMessageBox::Warning);
    const QString failed = f.controller->transfer()->catalog().name(304) + " = 450";
    QCOMPARE(answers.seen.first().text, tr_(5219).arg(2).arg(3).arg(failed));
}

void TestSettingsTransfer::backupFileMayHoldEverySetting()
{
    Fixture f;
    f.goOnline(0);
    f.link->clear();
    // The same lines as a backup and as a parameter file: the backup writes the receiver
    // and governor settings too; the parameter file keeps to its list.
    const QByteArray text = "0101=0003\n0136=0002\n0524=0300\n0002=9999\n";
    for (const char* name : {"unit.fbk", "unit.fbl"}) {
        f.link->clear();
        f.unitLink->unit = defaultUnit();
        const QString path = f.dir.filePath(name);
        writeFile(path, text);
        f.controller->openPath = path;
        QMap<int, QString> rows;
        whenRestoreDialog([&](RestoreDialog* dialog) {
            rows = restoreRows(dialog);
            dialog->writeButton()->click();
        });
        BoxAnswerer answers({QMessageBox::Ok});
        f.ui->btnOpen->click();
        if (QByteArray(name).endsWith(".fbk")) {
            QCOMPARE(rows.keys(), QList<int>({101, 136, 524}));
            QCOMPARE(f.link->writes(), QStringList({"101,3", "136,2", "524,300"}));
        } else {
            QCOMPARE(rows.keys(), QList<int>({136}));
            QCOMPARE(f.link->writes(), QStringList({"136,2"}));
        }
    }
}

void TestSettingsTransfer::backupRefusedWithoutUnit()
{
    Fixture f;
    f.link->connected = false;
    QPushButton* button = f.ui->findChild<QPushButton*>("btnBackup");
    QVERIFY(button);
    QCOMPARE(button->toolTip(), tr_(5224));
    BoxAnswerer answers({QMessageBox::Ok});
    button->click();
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().text, tr_(5223));
    QVERIFY(f.link->requests.isEmpty());
    QVERIFY(f.controller->dialogCaptions.isEmpty());
}

void TestSettingsTransfer::backupSavesEverySetting()
{
    Fixture f;
    f.goOnline(0);
    f.unitLink->unit[137] = 61;
    f.unitLink->unit[524] = 310;
    // The save dialog gets the default name; the test keeps it in its own folder.
    f.config->put("last_params_dir", f.dir.path());
    const QString path = f.dir.filePath("backup");
    f.controller->savePath = path;
    BoxAnswerer answers({QMessageBox::Ok});
    f.ui->findChild<QPushButton*>("btnBackup")->click();

    const QString expectedName =
            QStringLiteral("unit-100042-%1.fbk").arg(QDate::currentDate().toString(Qt::ISODate));
    QCOMPARE(f.controller->dialogDirs.last(), f.dir.filePath(expectedName));
    QCOMPARE(f.controller->dialogCaptions.last(), tr_(5225));
    QMap<int, int> expected = f.unitLink->unit;
    expected.remove(3);
    QCOMPARE(readPairs(path + ".fbk"), expected);
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().text,
             tr_(5229).arg(UnitSettingTable::all().size()).arg(path + ".fbk"));
    QCOMPARE(f.controller->currentRunMode(), MainController::Online);
}

void TestSettingsTransfer::displayUnits_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("LowBec volts") << 103 << 65 << "6.5 V";
    QTest::newRow("head speed rpm") << 524 << 310 << "3100 rpm";
    QTest::newRow("gear ratio") << 525 << 1234 << "12.34";
    QTest::newRow("trim offset") << 140 << 95 << "-5";
    QTest::newRow("servo centre") << 204 << 130 << "30";
    QTest::newRow("motor off runs backwards") << 521 << 80 << "-80";
    QTest::newRow("check box") << 138 << 1 << "%on";
    QTest::newRow("servo direction") << 132 << 0 << "%reversed";
    QTest::newRow("plain percent") << 139 << 33 << "33";
}

void TestSettingsTransfer::displayUnits()
{
    QFETCH(int, address);
    QFETCH(int, raw);
    QFETCH(QString, shown);
    Fixture f;
    if (shown == "%on")
        shown = tr_(5251);
    else if (shown == "%reversed")
        shown = tr_(5254);
    QCOMPARE(f.controller->transfer()->catalog().display(address, raw), shown);
    // Names are the window's own captions under the tab's title.
    const QString name = f.controller->transfer()->catalog().name(address);
    QVERIFY2(!name.isEmpty() && !name.contains(QRegularExpression("%\\d")), qPrintable(name));
}

void TestSettingsTransfer::cutShortSaysWhatTheUnitHolds_data()
{
    QTest::addColumn<int>("lostAtWrite");
    QTest::addColumn<bool>("mix");
    QTest::newRow("lost at the first value") << 1 << false;
    QTest::newRow("lost at the third value") << 3 << true;
}

void TestSettingsTransfer::cutShortSaysWhatTheUnitHolds()
{
    QFETCH(int, lostAtWrite);
    QFETCH(bool, mix);
    Fixture f;
    f.controller->pauseMs = 30;
    f.goOnline(0);
    f.link->clear();
    const QString path = f.dir.filePath("four.fbl");
    writeFile(path, "0136=0002\n0137=0050\n0138=0001\n0139=0005\n");
    f.controller->openPath = path;
    f.link->onWrite = [&] {
        if (f.link->writes().size() == lostAtWrite) {
            f.link->connected = false;
            QTimer::singleShot(0, [&] { f.controller->handlePortStatusChanged(-100); });
        }
    };
    whenRestoreDialog([](RestoreDialog* dialog) { dialog->writeButton()->click(); });
    BoxAnswerer answers({QMessageBox::Ok});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unit went away"));
    f.ui->btnOpen->click();

    QCOMPARE(answers.seen.size(), 1);
    const QString text = answers.seen.first().text;
    const int confirmed = lostAtWrite - 1;
    // A mix only where something of the file was written; else the old settings stand.
    const QString expected = mix ? tr_(5218).arg(confirmed).arg(4) : tr_(5470).arg(4);
    QVERIFY2(text.startsWith(expected), qPrintable(text));
    QCOMPARE(text.contains(tr_(5218).arg(confirmed).arg(4)), mix);
    QVERIFY2(text.contains(tr_(5234).arg(QString())), qPrintable(text));
}

QTEST_MAIN(TestSettingsTransfer)
#include "tst_settingstransfer.moc"
