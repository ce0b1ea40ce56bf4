#include "appconfigmanager.h"
#include "parameterfile.h"
#include "resourcemanager.h"
#include "testfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

// Feeds seeded random and mutated input to the three file readers. Each reader gets a
// bounded number of cases and a bounded time; set HX_FUZZ_SEED to replay another seed.
class TestReaderFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void settingsReader();
    void parameterReader();
    void stringsReader();

private:
    QByteArray nextInput(const QByteArray& sample, const QByteArray& alphabet);
    bool moreCases(int done) const;
    void writeInput(const QByteArray& bytes);

    quint32 m_seed = 20240601;
    QRandomGenerator m_random;
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
    QElapsedTimer m_clock;
};

namespace {

constexpr int MaxCases = 1000;
constexpr qint64 MaxMillisecondsPerReader = 2000;

QList<QByteArray> sortedLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

void TestReaderFuzz::initTestCase()
{
    // The readers complain about every broken file; thousands of such lines help no one.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtWarningMsg)
            fprintf(stderr, "%s\n", qPrintable(text));
    });
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("HX_FUZZ_SEED").toUInt(&ok);
    if (ok)
        m_seed = seed;
    qInfo("fuzz seed %u", m_seed);
}

void TestReaderFuzz::init()
{
    m_random.seed(m_seed);
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("input");
    m_clock.start();
}

bool TestReaderFuzz::moreCases(int done) const
{
    return done < MaxCases && m_clock.elapsed() < MaxMillisecondsPerReader;
}

void TestReaderFuzz::writeInput(const QByteArray& bytes)
{
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// One of: raw random bytes, random text over the format's own characters, or a valid
// sample with bytes flipped, inserted, removed or cut off.
QByteArray TestReaderFuzz::nextInput(const QByteArray& sample, const QByteArray& alphabet)
{
    const int kind = m_random.bounded(3);
    if (kind == 0) {
        QByteArray bytes(m_random.bounded(2048), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(m_random.bounded(256));
        return bytes;
    }
    if (kind == 1) {
        QByteArray bytes(m_random.bounded(2048), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = alphabet.at(m_random.bounded(alphabet.size()));
        return bytes;
    }
    QByteArray bytes = sample;
    const int edits = 1 + m_random.bounded(8);
    for (int i = 0; i < edits && !bytes.isEmpty(); ++i) {
        const int at = m_random.bounded(bytes.size());
        switch (m_random.bounded(4)) {
        case 0:
            bytes[at] = char(m_random.bounded(256));
            break;
        case 1:
            bytes.insert(at, alphabet.at(m_random.bounded(alphabet.size())));
            break;
        case 2:
            bytes.remove(at, 1 + m_random.bounded(16));
            break;
        default:
            bytes.truncate(at);
            break;
        }
    }
    return bytes;
}

void TestReaderFuzz::settingsReader()
{
    const QByteArray sample = "txmode?1\r\nlang?vi\r\ngyro-off?0\r\nlast_params_dir?C:/x\r\n";
    int cases = 0;
    for (; moreCases(cases); ++cases) {
        writeInput(nextInput(sample, "?\r\nab=\xff\x00 "));
        AppConfigManager first(m_path);
        QVERIFY(!first.hasKey("no such key"));
        // Saving syncs to disk, which is slow: check the round trip on every eighth case.
        // Whatever was understood must survive a save and a second read unchanged.
        if (cases % 8 != 0)
            continue;
        first.put("txmode", "3");
        first.saveConfigToFile();
        const QByteArray saved = readFile(m_path);
        AppConfigManager second(m_path);
        QCOMPARE(second.get("txmode"), QString("3"));
        second.saveConfigToFile();
        QCOMPARE(sortedLines(readFile(m_path)), sortedLines(saved));
    }
    qInfo("%d cases", cases);
}

void TestReaderFuzz::parameterReader()
{
    const QByteArray sample = "0005=0007\n0136=0050\n0521=-005\n0525=12345\n";
    int cases = 0;
    for (; moreCases(cases); ++cases) {
        writeInput(nextInput(sample, "=\r\n-0123456789x\xff"));
        QMap<int, int> values;
        QCOMPARE(qLoadParametersFromFile(m_path, &values), 0);
        if (cases % 8 != 0)
            continue;
        QCOMPARE(qSaveParametersToFile(m_path, values), 0);
        QMap<int, int> reread;
        QCOMPARE(qLoadParametersFromFile(m_path, &reread), 0);
        QCOMPARE(reread, values);
    }
    qInfo("%d cases", cases);
}

void TestReaderFuzz::stringsReader()
{
    const QByteArray sample = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<strings>\n"
                              "<item key=\"1\">Value &amp; more</item>\n"
                              "<item key=\"8\"><![CDATA[x]]></item><!-- c -->\n"
                              "<group><item key=\"3\">T\xc3\xa9st</item></group>\n"
                              "<item key=\"2000\"/></strings>\n";
    int cases = 0;
    int nonEmpty = 0;
    for (; moreCases(cases); ++cases) {
        writeInput(nextInput(sample, "<>/=\"'&;#!?[]- itemkey0123456789\n"));
        ResourceManager table(m_path);
        for (int id : {0, 1, 2, 3, 8, 2000})
            nonEmpty += table.getValue(id).isEmpty() ? 0 : 1;
    }
    QVERIFY(nonEmpty > 0); // the mutated samples are still read in part
    qInfo("%d cases", cases);
}

QTEST_GUILESS_MAIN(TestReaderFuzz)
#include "tst_readerfuzz.moc"
