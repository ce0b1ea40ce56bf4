// The program's table of the unit's settings and the virtual unit's own table describe the
// same unit: a range that differs would let a file value through that the unit clamps, or
// refuse one the unit takes.

#include <simparametertable.h>
#include <unitsettingtable.h>

#include <QtTest>

class TestSettingTable : public QObject
{
    Q_OBJECT

private slots:
    void sameSettingsAsTheVirtualUnit();
    void lookups_data();
    void lookups();
};

void TestSettingTable::sameSettingsAsTheVirtualUnit()
{
    QStringList unit;
    for (const SimParameterTable::Definition& d : SimParameterTable::all()) {
        if (d.access == SimParameterTable::Setting)
            unit << QStringLiteral("%1 %2 %3..%4")
                            .arg(d.address)
                            .arg(d.defaultValue)
                            .arg(d.minimum)
                            .arg(d.maximum);
    }
    QStringList program;
    for (const UnitSettingTable::Setting& s : UnitSettingTable::all())
        program << QStringLiteral("%1 %2 %3..%4")
                           .arg(s.address)
                           .arg(s.defaultValue)
                           .arg(s.minimum)
                           .arg(s.maximum);
    unit.sort();
    QStringList sorted = program;
    sorted.sort();
    QCOMPARE(sorted, unit);
    // find() relies on ascending order.
    for (int i = 1; i < UnitSettingTable::all().size(); ++i)
        QVERIFY(UnitSettingTable::all().at(i - 1).address < UnitSettingTable::all().at(i).address);
}

void TestSettingTable::lookups_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("setting");
    QTest::addColumn<bool>("inRange");
    QTest::newRow("first") << 101 << 7 << true << true;
    QTest::newRow("last") << 535 << 4 << true << false;
    QTest::newRow("lower bound") << 137 << 30 << true << true;
    QTest::newRow("below") << 137 << 29 << true << false;
    QTest::newRow("command") << 10 << 40 << false << false;
    QTest::newRow("bootloader") << 2 << 9999 << false << false;
    QTest::newRow("live value") << 100 << 74 << false << false;
    QTest::newRow("record") << 600 << 0 << false << false;
    QTest::newRow("program copy") << 1524 << 250 << false << false;
}

void TestSettingTable::lookups()
{
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(bool, setting);
    QFETCH(bool, inRange);
    QCOMPARE(UnitSettingTable::isSetting(address), setting);
    QCOMPARE(UnitSettingTable::inRange(address, value), inRange);
}

QTEST_GUILESS_MAIN(TestSettingTable)
#include "tst_settingtable.moc"
