#include "filesizelimit.h"
#include "parameterfile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Values = QMap<int, int>;
Q_DECLARE_METATYPE(Values)

class TestParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void saveFormat_data();
    void saveFormat();
    void load_data();
    void load();
    void loadKeepsOtherEntries();
    void loadMissingOrUnreadable();
    void saveCannotOpen();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void oversizedFileIsReadUpToTheLimit();
    void skippedLinesAreReported_data();
    void skippedLinesAreReported();
    void skipReportIsBounded();

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
};

void TestParameterFile::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("heli.fbl");
}

void TestParameterFile::saveFormat_data()
{
    QTest::addColumn<Values>("values");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty") << Values{} << QByteArray();
    QTest::newRow("ascending, padded")
            << Values{{136, 50}, {5, 7}} << QByteArray("0005=0007\n0136=0050\n");
    QTest::newRow("wide and negative")
            << Values{{525, 12345}, {521, -5}, {-3, -1234}, {1, -100}}
            << QByteArray("-003=-1234\n0001=-100\n0521=-005\n0525=12345\n");
    QTest::newRow("extremes") << Values{{0, 0}, {9999, INT_MIN}, {10000, INT_MAX}}
                              << QByteArray("0000=0000\n9999=-2147483648\n10000=2147483647\n");
}

void TestParameterFile::saveFormat()
{
    QFETCH(Values, values);
    QFETCH(QByteArray, text);

    writeFile(m_path, "9999=0001\n9998=0002\n9997=0003\n"); // longer old content
    QCOMPARE(qSaveParametersToFile(m_path, values), 0);
    QCOMPARE(readFile(m_path), text);

    Values reread;
    QCOMPARE(qLoadParametersFromFile(m_path, &reread), 0);
    QCOMPARE(reread, values);
}

void TestParameterFile::load_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Values>("expected");

    QTest::newRow("empty file") << QByteArray() << Values{};
    QTest::newRow("crlf like lf") << QByteArray("0005=0007\r\n0136=0050\r\n")
                                  << Values{{5, 7}, {136, 50}};
    QTest::newRow("no final line end") << QByteArray("0136=0050") << Values{{136, 50}};
    QTest::newRow("more than one separator ignored")
            << QByteArray("0136=0050=1\n0137=0001\n") << Values{{137, 1}};
    QTest::newRow("no separator ignored") << QByteArray("0136\n\n0137=0001\n") << Values{{137, 1}};
    // A number that does not parse is skipped, never read as 0.
    QTest::newRow("empty value skipped") << QByteArray("0136=\n") << Values{};
    QTest::newRow("text skipped") << QByteArray("abc=5\n0140=x\n") << Values{};
    QTest::newRow("unpadded and negative")
            << QByteArray("136=50\n-5=-005\n") << Values{{136, 50}, {-5, -5}};
    QTest::newRow("later line wins") << QByteArray("0136=0001\n0136=0002\n") << Values{{136, 2}};
    QTest::newRow("too wide skipped") << QByteArray("0136=99999999999\n") << Values{};
    QTest::newRow("binary junk") << QByteArray("\x00\xff=\x01\n\x80\x81\n0136=0050\n\xfe", 19)
                                 << Values{{136, 50}};
    // Ranges are the unit's business, judged by qReadParametersFromFile only.
    QTest::newRow("any 32-bit value taken")
            << QByteArray("0137=0029\n0521=-100\n") << Values{{137, 29}, {521, -100}};
}

void TestParameterFile::load()
{
    QFETCH(QByteArray, text);
    QFETCH(Values, expected);
    writeFile(m_path, text);

    Values values;
    QCOMPARE(qLoadParametersFromFile(m_path, &values), 0);
    QCOMPARE(values, expected);
}

void TestParameterFile::loadKeepsOtherEntries()
{
    writeFile(m_path, "0002=0020\n0003=0030\n");
    Values values{{1, 1}, {2, 2}};
    QCOMPARE(qLoadParametersFromFile(m_path, &values), 0);
    QCOMPARE(values, (Values{{1, 1}, {2, 20}, {3, 30}}));
}

void TestParameterFile::loadMissingOrUnreadable()
{
    Values values{{1, 1}};
    QCOMPARE(qLoadParametersFromFile(m_dir->filePath("missing.fbl"), &values), -1);
    QCOMPARE(qLoadParametersFromFile(QString(), &values), -1);
    // A folder exists but is no parameter file.
    const int result = qLoadParametersFromFile(m_dir->path(), &values);
    QVERIFY(result == -1 || result == 0);
    QCOMPARE(values, (Values{{1, 1}}));
}

void TestParameterFile::saveCannotOpen()
{
    writeFile(m_path, "0001=0001\n");
    // Below a regular file nothing can be created, not even by root.
    QCOMPARE(qSaveParametersToFile(m_path + "/x.fbl", Values{{1, 2}}), -1);
    QCOMPARE(qSaveParametersToFile(m_dir->path(), Values{{1, 2}}), -1);
    QCOMPARE(readFile(m_path), QByteArray("0001=0001\n"));
}

void TestParameterFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("count");
    // A small file stays in the file's buffer until commit; a large one is written at once.
    QTest::newRow("buffered write") << 39;
    QTest::newRow("direct write") << 20000;
}

void TestParameterFile::failedWriteKeepsOldFile()
{
#ifdef HX_HAVE_FILESIZELIMIT
    QFETCH(int, count);
    const QByteArray old = "0136=0050\n";
    writeFile(m_path, old);

    Values values;
    for (int i = 0; i < count; ++i)
        values.insert(100 + i, i);
    int result = 0;
    {
        FileSizeLimit full(64);
        QVERIFY(full.isActive());
        result = qSaveParametersToFile(m_path, values);
    }
    QCOMPARE(result, -1);
    QCOMPARE(readFile(m_path), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"heli.fbl"});

    QCOMPARE(qSaveParametersToFile(m_path, values), 0);
    Values reread;
    QCOMPARE(qLoadParametersFromFile(m_path, &reread), 0);
    QCOMPARE(reread, values);
#else
    QSKIP("no way to simulate a full disk on this platform");
#endif
}

void TestParameterFile::oversizedFileIsReadUpToTheLimit()
{
    // Only whole lines before the limit count: the line that straddles it could otherwise
    // be read as a different value.
    const int limit = int(HxMaxParameterFileSize);
    QByteArray text = "0136=0050\n" + QByteArray(limit - 20, 'j') + "\n";
    text += "0137=12345678\n0138=0001\n";
    writeFile(m_path, text);

    Values values;
    QCOMPARE(qLoadParametersFromFile(m_path, &values), 0);
    QCOMPARE(values, (Values{{136, 50}}));
}

void TestParameterFile::skippedLinesAreReported_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Values>("expected");
    // line:reason:address, reason U (unparsable) or R (out of range)
    QTest::addColumn<QStringList>("skips");

    QTest::newRow("good lines only") << QByteArray("0136=0001\n\n0137=0050\n")
                                     << Values{{136, 1}, {137, 50}} << QStringList{};
    QTest::newRow("too wide for 32 bits") << QByteArray("0136=0001\n0137=99999999999\n")
                                          << Values{{136, 1}} << QStringList{"2:U:137"};
    QTest::newRow("hexadecimal") << QByteArray("0138=0x20\n") << Values{} << QStringList{"1:U:138"};
    QTest::newRow("no or two separators") << QByteArray("0136\n0137=1=2\n0139=0010\n")
                                          << Values{{139, 10}} << QStringList{"1:U:0", "2:U:0"};
    QTest::newRow("address not a number")
            << QByteArray("abc=5\n") << Values{} << QStringList{"1:U:0"};
    QTest::newRow("below and above the range")
            << QByteArray("0103=0034\n0103=0101\n0304=0700\n0211=0360\n") << Values{{304, 700}}
            << QStringList{"1:R:103", "2:R:103", "4:R:211"};
    // The reader judges ranges only; whether an address may be written is the caller's.
    QTest::newRow("not a setting kept") << QByteArray("0002=9999\n0010=0040\n0100=0074\n")
                                        << Values{{2, 9999}, {10, 40}, {100, 74}} << QStringList{};
}

void TestParameterFile::skippedLinesAreReported()
{
    QFETCH(QByteArray, text);
    QFETCH(Values, expected);
    QFETCH(QStringList, skips);
    writeFile(m_path, text);

    Values values;
    QList<ParameterFileSkip> skipped;
    QCOMPARE(qReadParametersFromFile(m_path, &values, &skipped), 0);
    QCOMPARE(values, expected);
    QStringList seen;
    for (const ParameterFileSkip& skip : skipped)
        seen << QStringLiteral("%1:%2:%3")
                        .arg(skip.line)
                        .arg(skip.reason == ParameterFileSkip::Unparsable ? "U" : "R")
                        .arg(skip.address);
    QCOMPARE(seen, skips);
    // The plain reader skips the same unparsable lines, and leaves ranges to its caller.
    Values plain;
    QCOMPARE(qLoadParametersFromFile(m_path, &plain), 0);
    for (const ParameterFileSkip& skip : skipped) {
        if (skip.reason == ParameterFileSkip::OutOfRange)
            expected.insert(skip.address, skip.value);
    }
    QCOMPARE(plain, expected);
}

void TestParameterFile::skipReportIsBounded()
{
    QByteArray text;
    for (int i = 0; i < 2 * HxMaxReportedSkips; ++i)
        text += "junk\x01" + QByteArray(100, 'x') + "\n";
    text += "0136=0002\n";
    writeFile(m_path, text);
    Values values;
    QList<ParameterFileSkip> skipped;
    QCOMPARE(qReadParametersFromFile(m_path, &values, &skipped), 0);
    QCOMPARE(values, (Values{{136, 2}}));
    QCOMPARE(skipped.size(), HxMaxReportedSkips);
    // What a report shows is short and printable.
    QVERIFY(skipped.first().text.size() <= 61);
    QVERIFY(skipped.first().text.startsWith(QStringLiteral("junk?x")));
}

QTEST_GUILESS_MAIN(TestParameterFile)
#include "tst_parameterfile.moc"
