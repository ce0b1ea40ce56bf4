// Backup and restore end to end: the controller with its window, the real device link and
// two virtual units on pseudo-terminals. A backup holds every setting of one unit; restoring
// it into another shows exactly the differences, in the window's units, and makes the two
// units equal; a unit that drops frames while the file is written is named in the end.

#include "virtualunitsupport.h"

#include "settingstransfer.h"

#include <simhost.h>
#include <simparametertable.h>
#include <simserver.h>
#include <unitsettingtable.h>

#include <QDate>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// A value of the setting's range other than its default, chosen by `salt`.
int otherValue(const UnitSettingTable::Setting& s, int salt)
{
    const int span = s.maximum - s.minimum;
    int value = s.minimum + (span * (salt % 5 + 1)) / 7;
    if (value == s.defaultValue)
        value = value == s.maximum ? s.minimum : value + 1;
    return value;
}

} // namespace

class TestBackupRestore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void backupThenRestoreIntoAnotherUnit();
    void droppedFramesNameTheRow();

private:
    QString linkPath(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

void TestBackupRestore::initTestCase()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals on this system");
    QVERIFY(m_dir.isValid());
    useFastLink();
}

void TestBackupRestore::backupThenRestoreIntoAnotherUnit()
{
    const QVector<UnitSettingTable::Setting>& settings = UnitSettingTable::all();
    // Unit A: every second setting away from its default, and a few chosen ones.
    QMap<int, int> a;
    const QString path = m_dir.filePath(QStringLiteral("unit-a"));
    {
        Unit unit(linkPath("a"), 200001);
        QVERIFY2(unit.host->started(), qPrintable(unit.host->error()));
        int i = 0;
        for (const UnitSettingTable::Setting& s : settings) {
            if (++i % 2 == 0)
                unit.set(s.address, otherValue(s, i));
        }
        unit.set(103, 65);  // 6.5 V
        unit.set(524, 310); // 3100 rpm
        Program program(unit.host->path(), 20);
        QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
        for (const UnitSettingTable::Setting& s : settings)
            a.insert(s.address, unit.setting(s.address));

        program.controller->savePath = path;
        BoxAnswerer answers({QMessageBox::Ok});
        program.ui->findChild<QPushButton*>("btnBackup")->click();
        QCOMPARE(answers.seen.size(), 1);
        QCOMPARE(answers.seen.first().text,
                 tr_(5229).arg(settings.size()).arg(path + QStringLiteral(".fbk")));
        QVERIFY(program.controller->dialogDirs.last().endsWith(
                QStringLiteral("/unit-200001-%1.fbk")
                        .arg(QDate::currentDate().toString(Qt::ISODate))));
    }
    // Every setting, with the unit's value.
    QCOMPARE(readPairs(path + QStringLiteral(".fbk")), a);

    // Unit B: other values; some equal to A's.
    Unit other(linkPath("b"), 200002);
    QVERIFY(other.host->started());
    int i = 0;
    for (const UnitSettingTable::Setting& s : settings) {
        if (++i % 3 == 0)
            other.set(s.address, otherValue(s, i + 1));
    }
    other.set(103, 40);
    other.set(524, 250);
    QMap<int, int> b;
    for (const UnitSettingTable::Setting& s : settings)
        b.insert(s.address, other.setting(s.address));
    QList<int> differing;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        if (b.value(it.key()) != it.value())
            differing << it.key();
    }
    QVERIFY(differing.size() > 10);
    QVERIFY(differing.size() < settings.size());

    Program program(other.host->path(), 20);
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    program.controller->openPath = path + QStringLiteral(".fbk");
    QMap<int, QString> rows;
    whenRestoreDialog([&](RestoreDialog* dialog) {
        rows = restoreRows(dialog);
        shootIfAsked(dialog, QStringLiteral("restore-diff"));
        dialog->writeButton()->click();
    });
    BoxAnswerer answers({QMessageBox::Ok});
    answers.onBox = [](QMessageBox* box) { shootIfAsked(box, QStringLiteral("restore-end")); };
    program.ui->btnOpen->click();

    QCOMPARE(rows.keys(), differing);
    const SettingCatalog& catalog = program.controller->transfer()->catalog();
    QCOMPARE(rows.value(103), catalog.name(103) + QStringLiteral("|4.0 V|6.5 V"));
    QCOMPARE(rows.value(524), catalog.name(524) + QStringLiteral("|2500 rpm|3100 rpm"));
    for (int address : differing)
        QCOMPARE(rows.value(address), catalog.name(address) + '|' +
                                              catalog.display(address, b.value(address)) + '|' +
                                              catalog.display(address, a.value(address)));
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().text, tr_(5217).arg(differing.size()));
    for (const UnitSettingTable::Setting& s : settings)
        QCOMPARE(other.setting(s.address), a.value(s.address));
}

void TestBackupRestore::droppedFramesNameTheRow()
{
    Unit unit(linkPath("c"), 200003);
    QVERIFY(unit.host->started());
    Program program(unit.host->path(), 20);
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    const QString path = m_dir.filePath(QStringLiteral("drop.fbl"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0137=0060\n0304=0450\n");
    }
    program.controller->openPath = path;
    // The unit starts dropping every frame once the pilot has seen the differences.
    whenRestoreDialog([&](RestoreDialog* dialog) {
        unit.dropEveryFrame();
        dialog->writeButton()->click();
    });
    BoxAnswerer answers({QMessageBox::Ok});
    answers.onBox = [](QMessageBox* box) { shootIfAsked(box, QStringLiteral("load-cut-short")); };
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unit went away.*0 of 2"));
    program.ui->btnOpen->click();
    QCOMPARE(answers.seen.size(), 1);
    QCOMPARE(answers.seen.first().icon, QMessageBox::Critical);
    const QString text = answers.seen.first().text;
    // Nothing was confirmed: the unit still holds its old settings, not a mix.
    QVERIFY2(text.startsWith(tr_(5470).arg(2)), qPrintable(text));
    const SettingCatalog& catalog = program.controller->transfer()->catalog();
    QVERIFY2(text.contains(catalog.name(137) + QStringLiteral(" = 60")), qPrintable(text));
    QCOMPARE(unit.setting(137), 45);
}

QTEST_MAIN(TestBackupRestore)
#include "tst_backuprestore.moc"
