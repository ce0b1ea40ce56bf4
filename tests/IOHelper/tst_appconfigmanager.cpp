#include "appconfigmanager.h"
#include "filesizelimit.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

using Settings = QHash<QString, QString>;
Q_DECLARE_METATYPE(Settings)

namespace {

// The lines of a saved file as a map, checking the line ends on the way.
Settings parseSaved(const QByteArray& bytes, bool* ok)
{
    Settings result;
    *ok = bytes.isEmpty() || bytes.endsWith("\r\n");
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size() - 1; ++i) {
        QByteArray line = lines.at(i);
        if (!line.endsWith('\r'))
            *ok = false;
        line.chop(1);
        const int separator = line.indexOf('?');
        const QString key = QString::fromLocal8Bit(line.left(separator));
        if (separator < 0 || result.contains(key))
            *ok = false;
        result.insert(key, QString::fromLocal8Bit(line.mid(separator + 1)));
    }
    return result;
}

} // namespace

class TestAppConfigManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void missingFileGivesEmptyStore();
    void loadRules_data();
    void loadRules();
    void putStaysInMemoryUntilSaved();
    void saveWritesOneCrLfLinePerKey();
    void saveReplacesPreviousContent();
    void saveIntoImpossiblePathKeepsMemory();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void readOnlyDirectoryKeepsOldFile();
    void oversizedFileIsReadUpToTheLimit();
    void unstorableTextKeepsPreviousValue_data();
    void unstorableTextKeepsPreviousValue();

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_path;
};

void TestAppConfigManager::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath("fbl.afc");
}

void TestAppConfigManager::missingFileGivesEmptyStore()
{
    AppConfigManager config(m_path);
    for (const char* key : {"txmode", "lang", "gyro-off", "last_params_dir", ""}) {
        QVERIFY(!config.hasKey(key));
        QVERIFY(config.get(key).isNull());
    }
    QVERIFY(!config.hasKey("lang")); // get() must not have added it
    QVERIFY(!QFile::exists(m_path));
}

void TestAppConfigManager::loadRules_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Settings>("expected");

    QTest::newRow("last line wins") << QByteArray("a?1\r\na?2\r\n") << Settings{{"a", "2"}};
    QTest::newRow("value cut at second separator")
            << QByteArray("x?1?2\r\n") << Settings{{"x", "1"}};
    QTest::newRow("lines without separator skipped")
            << QByteArray("junk\r\n\r\n\nk?v\r\n") << Settings{{"k", "v"}};
    QTest::newRow("empty value and empty key")
            << QByteArray("k?\r\n?v\r\n") << Settings{{"k", ""}, {"", "v"}};
    QTest::newRow("lf and crlf line ends, no final line end")
            << QByteArray("a?1\nb?2\r\nc?3") << Settings{{"a", "1"}, {"b", "2"}, {"c", "3"}};
    QTest::newRow("keys exact and case-sensitive")
            << QByteArray("Lang?fr\r\n lang ?vi\r\nlang?en\r\n")
            << Settings{{"Lang", "fr"}, {" lang ", "vi"}, {"lang", "en"}};
    QTest::newRow("empty file") << QByteArray() << Settings{};
    QTest::newRow("binary junk around a good line")
            << QByteArray("\x00\xff\xfe?\x01\n\x80\x81\x82\r\ntxmode?2\r\n\xff", 22)
            << Settings{{"txmode", "2"}};
}

void TestAppConfigManager::loadRules()
{
    QFETCH(QByteArray, content);
    QFETCH(Settings, expected);
    writeFile(m_path, content);

    AppConfigManager config(m_path);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QVERIFY2(config.hasKey(it.key()), qPrintable(it.key()));
        QCOMPARE(config.get(it.key()), it.value());
    }

    // What is saved is exactly what was understood, so a saved file holds one line per key.
    config.saveConfigToFile();
    bool wellFormed = false;
    const Settings saved = parseSaved(readFile(m_path), &wellFormed);
    QVERIFY(wellFormed);
    if (QTest::currentDataTag() != QLatin1String("binary junk around a good line"))
        QCOMPARE(saved, expected);
    else
        QCOMPARE(saved.value("txmode"), QString("2"));
}

void TestAppConfigManager::putStaysInMemoryUntilSaved()
{
    writeFile(m_path, "lang?vi\r\n");
    {
        AppConfigManager config(m_path);
        config.put("lang", "en");
        config.put("txmode", "3");
        QCOMPARE(config.get("lang"), QString("en"));
        QCOMPARE(config.get("txmode"), QString("3"));
    }
    QCOMPARE(readFile(m_path), QByteArray("lang?vi\r\n"));
}

void TestAppConfigManager::saveWritesOneCrLfLinePerKey()
{
    const Settings values{{"txmode", "1"},
                          {"lang", "vi"},
                          {"gyro-off", "0"},
                          {"last_params_dir", "C:/Users/pilot/My Heli"},
                          {"empty", ""}};
    {
        AppConfigManager config(m_path);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            config.put(it.key(), it.value());
        config.put("txmode", "2"); // replaces, never a second line
        config.saveConfigToFile();
    }
    Settings expected = values;
    expected["txmode"] = "2";

    bool wellFormed = false;
    QCOMPARE(parseSaved(readFile(m_path), &wellFormed), expected);
    QVERIFY(wellFormed);
    QCOMPARE(readFile(m_path).count('\n'), expected.size());

    AppConfigManager reread(m_path);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(reread.get(it.key()), it.value());
}

void TestAppConfigManager::saveReplacesPreviousContent()
{
    writeFile(m_path, "old?1\r\n");
    AppConfigManager config(m_path);
    writeFile(m_path, QByteArray(5000, 'z')); // someone else's longer content
    config.put("new", "2");
    config.saveConfigToFile();
    bool wellFormed = false;
    QCOMPARE(parseSaved(readFile(m_path), &wellFormed), (Settings{{"old", "1"}, {"new", "2"}}));
    QVERIFY(wellFormed);
}

void TestAppConfigManager::saveIntoImpossiblePathKeepsMemory()
{
    // A path below a regular file cannot be created, not even by root.
    writeFile(m_path, "a?1\r\n");
    const QString impossible = m_path + "/fbl.afc";
    AppConfigManager config(impossible);
    config.put("lang", "vi");
    config.saveConfigToFile();
    QVERIFY(!QFileInfo(impossible).exists());
    QCOMPARE(config.get("lang"), QString("vi"));
    QCOMPARE(readFile(m_path), QByteArray("a?1\r\n"));
}

void TestAppConfigManager::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("valueSize");
    // Small text sits in the file's buffer until commit; large text is written at once.
    QTest::newRow("buffered write") << 200;
    QTest::newRow("direct write") << 200000;
}

void TestAppConfigManager::failedWriteKeepsOldFile()
{
#ifdef HX_HAVE_FILESIZELIMIT
    QFETCH(int, valueSize);
    const QByteArray old = "lang?vi\r\ntxmode?2\r\n";
    writeFile(m_path, old);

    AppConfigManager config(m_path);
    config.put("last_params_dir", QString(valueSize, QLatin1Char('d')));
    {
        FileSizeLimit full(64);
        QVERIFY(full.isActive());
        config.saveConfigToFile();
    }
    QCOMPARE(readFile(m_path), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"fbl.afc"});

    // Once there is room again the same store saves everything.
    config.saveConfigToFile();
    AppConfigManager reread(m_path);
    QCOMPARE(reread.get("last_params_dir").size(), valueSize);
    QCOMPARE(reread.get("lang"), QString("vi"));
#else
    QSKIP("no way to simulate a full disk on this platform");
#endif
}

void TestAppConfigManager::readOnlyDirectoryKeepsOldFile()
{
    const QByteArray old = "lang?vi\r\n";
    writeFile(m_path, old);
    AppConfigManager config(m_path);
    config.put("txmode", "1");

    QFile::Permissions saved = QFile::permissions(m_dir->path());
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    QFile probe(m_dir->filePath("probe"));
    const bool writable = probe.open(QIODevice::WriteOnly);
    probe.close();
    if (!writable)
        config.saveConfigToFile();
    QFile::remove(probe.fileName());
    QFile::setPermissions(m_dir->path(), saved);
    if (writable)
        QSKIP("permission bits do not stop this user (root)");
    QCOMPARE(readFile(m_path), old);
}

void TestAppConfigManager::oversizedFileIsReadUpToTheLimit()
{
    // A line straddling the limit is dropped whole rather than read as a cut value.
    const qint64 limit = AppConfigManager::MaxFileSize;
    QByteArray content = "first?1\r\nlong?" + QByteArray(int(limit / 2), 'x') + "\r\n";
    content += "cut?" + QByteArray(int(limit), 'y') + "\r\nafter?2\r\n";
    writeFile(m_path, content);

    AppConfigManager config(m_path);
    QCOMPARE(config.get("first"), QString("1"));
    QCOMPARE(config.get("long").size(), int(limit / 2));
    QVERIFY(!config.hasKey("cut"));
    QVERIFY(!config.hasKey("after"));
}

void TestAppConfigManager::unstorableTextKeepsPreviousValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    // A folder named like this once set the language through the settings file.
    QTest::newRow("separator and line break in a folder") << "last_params_dir"
                                                          << "/data/pilot/a?b\r\nlang?fr";
    QTest::newRow("separator") << "last_params_dir"
                               << "/data/pilot/why?";
    QTest::newRow("line feed") << "last_params_dir"
                               << "/data/pilot/a\nlang?vi";
    QTest::newRow("carriage return") << "last_params_dir"
                                     << "/data/pilot/a\rb";
    QTest::newRow("separator in the key") << "last?params"
                                          << "x";
    QTest::newRow("line break in the key") << "lang\ntxmode"
                                           << "x";
}

void TestAppConfigManager::unstorableTextKeepsPreviousValue()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QVERIFY(!AppConfigManager::canStore(key) || !AppConfigManager::canStore(value));
    writeFile(m_path, "last_params_dir?/data/pilot/old\r\nlang?en\r\n");
    {
        AppConfigManager config(m_path);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not stored"));
        config.put(key, value);
        QCOMPARE(config.get("last_params_dir"), QString("/data/pilot/old"));
        QVERIFY(!config.hasKey(key) || key == "last_params_dir");
        config.saveConfigToFile();
    }
    // Nothing of the refused text reached the file: the same two settings, nothing else.
    bool wellFormed = false;
    QCOMPARE(parseSaved(readFile(m_path), &wellFormed),
             (Settings{{"last_params_dir", "/data/pilot/old"}, {"lang", "en"}}));
    QVERIFY(wellFormed);

    // Ordinary text, spaces and punctuation included, is still stored.
    AppConfigManager config(m_path);
    const QString folder = QStringLiteral("C:/Users/pilot/My Heli (2) & co.; =x!");
    QVERIFY(AppConfigManager::canStore(folder));
    config.put("last_params_dir", folder);
    QCOMPARE(config.get("last_params_dir"), folder);
}

QTEST_GUILESS_MAIN(TestAppConfigManager)
#include "tst_appconfigmanager.moc"
