#include "resourcemanager.h"
#include "testfiles.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

using Strings = QHash<int, QString>;
Q_DECLARE_METATYPE(Strings)

class TestResourceManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void load_data();
    void load();
    void missingFileGivesEmptyTable();
    void instanceIsLoadedOnce();
    void oversizedFileIsReadUpToTheLimit();
    void htmlString_data();
    void htmlString();
    void htmlStringMissing();

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
};

void TestResourceManager::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("strings.xml");
}

void TestResourceManager::load_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<Strings>("expected"); // ids not listed must be absent

    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<strings>\n";
    QTest::newRow("last of two items wins")
            << head + "<item key=\"8\">A</item><item key=\"8\">B</item></strings>"
            << Strings{{8, "B"}};
    QTest::newRow("no key, empty items, key not a number")
            << head + "<item>x</item><item key=\"5\"/><item key=\"6\"></item>"
                      "<item key=\"abc\">zero</item></strings>"
            << Strings{{0, "zero"}};
    QTest::newRow("whitespace kept, references resolved")
            << head + "<item key=\"1\">  two\n words &amp; &lt;tags&gt; &#233; </item></strings>"
            << Strings{{1, QString::fromUtf8("  two\n words & <tags> \xc3\xa9 ")}};
    QTest::newRow("only the first run of text")
            << head + "<item key=\"2\"><b>x</b>tail</item><item key=\"3\"><!-- c -->tail</item>"
                      "<item key=\"4\">head<b>x</b>tail</item></strings>"
            << Strings{{4, "head"}};
    QTest::newRow("items at any depth, other elements ignored")
            << QByteArray("<table><group><item key=\"4\">deep</item></group>"
                          "<text key=\"9\">no</text><item key=\"-2\">minus</item></table>")
            << Strings{{4, "deep"}, {-2, "minus"}};
    QTest::newRow("utf-8 text")
            << head + "<item key=\"3\">Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t</item></strings>"
            << Strings{{3, QString::fromUtf8("Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t")}};
    QTest::newRow("declared 8-bit encoding")
            << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                          "<strings><item key=\"1\">caf\xe9</item></strings>")
            << Strings{{1, QString::fromUtf8("caf\xc3\xa9")}};
    QTest::newRow("document breaks off")
            << head + "<item key=\"1\">a</item><item key=\"2\">b</item><ite"
            << Strings{{1, "a"}, {2, "b"}};
    QTest::newRow("not well-formed in the middle")
            << head + "<item key=\"1\">a</item><bad></strings><item key=\"2\">b</item>"
            << Strings{{1, "a"}};
    QTest::newRow("binary junk") << QByteArray("\x00\x01\xff\xfe<item key=\"1\">a</item>", 27)
                                 << Strings{};
    QTest::newRow("empty file") << QByteArray() << Strings{};
}

void TestResourceManager::load()
{
    QFETCH(QByteArray, xml);
    QFETCH(Strings, expected);
    writeFile(m_path, xml);

    ResourceManager table(m_path);
    for (int id = -5; id < 20; ++id) {
        if (expected.contains(id))
            QCOMPARE(table.getValue(id), expected.value(id));
        else
            QVERIFY2(table.getValue(id).isNull(), qPrintable(QString::number(id)));
    }
}

void TestResourceManager::missingFileGivesEmptyTable()
{
    ResourceManager table(m_dir->filePath("missing.xml"));
    QVERIFY(table.getValue(0).isNull());
    QVERIFY(table.getValue(3).isNull());
    ResourceManager folder(m_dir->path());
    QVERIFY(folder.getValue(0).isNull());
}

void TestResourceManager::instanceIsLoadedOnce()
{
    writeFile(m_path, "<strings><item key=\"3\">first</item></strings>");
    const QString other = m_dir->filePath("other.xml");
    writeFile(other, "<strings><item key=\"3\">second</item><item key=\"4\">x</item></strings>");

    ResourceManager* table = ResourceManager::instance(m_path);
    QVERIFY(table);
    QCOMPARE(table->parent(), QCoreApplication::instance());
    QCOMPARE(ResourceManager::instance(other), table);
    QCOMPARE(ResourceManager::instance(QString()), table);
    QCOMPARE(table->getValue(3), QString("first"));
    QVERIFY(table->getValue(4).isNull());
}

void TestResourceManager::oversizedFileIsReadUpToTheLimit()
{
    QByteArray xml = "<strings><item key=\"1\">before</item><!--";
    xml += QByteArray(int(ResourceManager::MaxFileSize), '-');
    xml += "--><item key=\"2\">after</item></strings>";
    writeFile(m_path, xml);

    ResourceManager table(m_path);
    QCOMPARE(table.getValue(1), QString("before"));
    QVERIFY(table.getValue(2).isNull());
}

void TestResourceManager::htmlString_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii page") << QByteArray("<html>\r\n<p>Help</p>\n</html>")
                                << QString("<html>\r\n<p>Help</p>\n</html>");
    QTest::newRow("utf-8 with byte-order mark")
            << QByteArray("\xef\xbb\xbf<p>\xc3\xa9</p>") << QString::fromUtf8("<p>\xc3\xa9</p>");
    QTest::newRow("utf-16 with byte-order mark")
            << QByteArray("\xff\xfe<\0p\0>\0", 8) << QString("<p>");
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TestResourceManager::htmlString()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString path = m_dir->filePath("page.htm");
    writeFile(path, bytes);
    QCOMPARE(qLoadHtmlString(path), text);
}

void TestResourceManager::htmlStringMissing()
{
    QVERIFY(qLoadHtmlString(m_dir->filePath("missing.htm")).isEmpty());
    QVERIFY(qLoadHtmlString(QString()).isEmpty());
    QVERIFY(qLoadHtmlString(m_dir->path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestResourceManager)
#include "tst_resourcemanager.moc"
