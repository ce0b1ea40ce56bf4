// The parameter store: ownership of its records and the selected-values file it saves.
// Run under AddressSanitizer, the replacement and destruction cases also prove that
// every record is freed exactly once.

#include "parameter.h"
#include "parametermodel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

Parameter* record(int address, int value)
{
    auto* param = new Parameter;
    param->address = address;
    param->value = value;
    return param;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

} // namespace

class TestParameterModel : public QObject
{
    Q_OBJECT

private slots:
    void insertAndReplace();
    void reinsertingTheHeldRecordKeepsIt();
    void recordMovesToItsNewAddress();
    void unknownAddressesChangeNothing();
    void insertThroughMetaObject();
    void saveWritesListedRecordsOnceAscending();
    void saveReportsUnwritableFile();
    void loadForwardsAndLeavesRecords();
};

void TestParameterModel::insertAndReplace()
{
    ParameterModel model;
    model.insertParameter(103, nullptr);
    QCOMPARE(model.count(), 0);

    model.insertParameter(103, record(103, 70));
    model.insertParameter(525, record(525, 1000));
    QCOMPARE(model.count(), 2);
    QCOMPARE(model.value(103), 70);

    model.insertParameter(103, record(103, 74)); // the first record is freed here
    QCOMPARE(model.count(), 2);
    QCOMPARE(model.value(103), 74);

    model.insertParameter(103, nullptr);
    QCOMPARE(model.value(103), 74);

    // The key is the address the caller gives, not the record's own field.
    model.insertParameter(1524, record(524, 120));
    QCOMPARE(model.value(1524), 120);
    QCOMPARE(model.value(524), 0);
}

void TestParameterModel::reinsertingTheHeldRecordKeepsIt()
{
    ParameterModel model;
    Parameter* param = record(136, 1);
    model.insertParameter(136, param);
    model.insertParameter(136, param);
    QCOMPARE(model.count(), 1);
    model.setParamValue(136, 2); // would touch freed memory if the record had been deleted
    QCOMPARE(model.value(136), 2);
    QCOMPARE(model.parameters(), QList<Parameter*>{param});
}

// Held under two keys, one record would be freed twice with the model.
void TestParameterModel::recordMovesToItsNewAddress()
{
    ParameterModel model;
    Parameter* param = record(300, 5);
    model.insertParameter(300, param);
    model.insertParameter(301, param);
    QCOMPARE(model.count(), 1);
    QCOMPARE(model.value(300), 0);
    QCOMPARE(model.value(301), 5);
}

void TestParameterModel::unknownAddressesChangeNothing()
{
    ParameterModel model;
    model.insertParameter(138, record(138, 1));
    model.setParamValue(111, 1520);
    QCOMPARE(model.count(), 1);
    QCOMPARE(model.value(111), 0);
    QCOMPARE(model.value(138), 1);
}

void TestParameterModel::insertThroughMetaObject()
{
    ParameterModel model;
    QVERIFY(QMetaObject::invokeMethod(&model, "insertParameter", Q_ARG(int, 5),
                                      Q_ARG(Parameter*, record(5, 7))));
    QVERIFY(QMetaObject::invokeMethod(&model, "setParamValue", Q_ARG(int, 5), Q_ARG(int, 8)));
    QCOMPARE(model.value(5), 8);
}

void TestParameterModel::saveWritesListedRecordsOnceAscending()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ParameterModel model;
    model.insertParameter(136, record(136, 50));
    model.insertParameter(5, record(5, 7));
    model.insertParameter(140, record(140, -5));
    model.insertParameter(200, record(200, 1)); // not listed: not saved
    model.setParamValue(140, 12345);

    const int list[] = {140, 136, 999, 5, 136, 111};
    const QString path = dir.filePath("set.txt");
    QCOMPARE(model.saveToFile(path, list, 6), 0);
    QCOMPARE(readAll(path), QByteArray("0005=0007\n0136=0050\n0140=12345\n"));

    // Only the first n of the list count; no list at all writes an empty file.
    QCOMPARE(model.saveToFile(path, list, 2), 0);
    QCOMPARE(readAll(path), QByteArray("0136=0050\n0140=12345\n"));
    QCOMPARE(model.saveToFile(path, nullptr, 3), 0);
    QCOMPARE(readAll(path), QByteArray());
}

void TestParameterModel::saveReportsUnwritableFile()
{
    QTemporaryDir dir;
    ParameterModel model;
    model.insertParameter(136, record(136, 50));
    const int list[] = {136};
    QCOMPARE(model.saveToFile(dir.filePath("missing/folder/set.txt"), list, 1), -1);
}

void TestParameterModel::loadForwardsAndLeavesRecords()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("set.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0005=0007\n0136=0050\n");
    file.close();

    ParameterModel model;
    model.insertParameter(136, record(136, 1));
    QMap<int, int> loaded{{1, 1}};
    QCOMPARE(model.loadFromFile(path, &loaded), 0);
    QCOMPARE(loaded, (QMap<int, int>{{1, 1}, {5, 7}, {136, 50}}));
    QCOMPARE(model.value(136), 1);
    QCOMPARE(model.count(), 1);

    QMap<int, int> untouched{{2, 2}};
    QCOMPARE(model.loadFromFile(dir.filePath("none.txt"), &untouched), -1);
    QCOMPARE(untouched, (QMap<int, int>{{2, 2}}));
}

QTEST_GUILESS_MAIN(TestParameterModel)
#include "tst_parametermodel.moc"
