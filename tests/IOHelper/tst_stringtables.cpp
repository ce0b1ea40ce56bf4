#include "resourcemanager.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

// Checks the shipped string tables against the list of ids the program uses.
class TestStringTables : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void idListIsWellFormed();
    void table_data();
    void table();
    void copyBesideProgramIsCurrent_data();
    void copyBesideProgramIsCurrent();

private:
    static QString sourcePath(const QString& relative);
    static QMap<int, QString> itemsOf(const QString& path, QString* problem);

    QList<int> m_ids;
    QStringList m_idListProblems;
};

QString TestStringTables::sourcePath(const QString& relative)
{
    return QDir(QStringLiteral(HX_SOURCE_DIR)).filePath("data/docs/" + relative);
}

// Every item of the file, read strictly: a duplicate or a malformed document is a problem.
QMap<int, QString> TestStringTables::itemsOf(const QString& path, QString* problem)
{
    QMap<int, QString> items;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = "cannot open " + path;
        return items;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("item"))
            continue;
        bool ok = false;
        const int id = xml.attributes().value("key").toInt(&ok);
        if (!ok)
            *problem += QString("item without numeric key at line %1; ").arg(xml.lineNumber());
        else if (items.contains(id))
            *problem += QString("id %1 twice; ").arg(id);
        items.insert(id, xml.readElementText());
    }
    if (xml.hasError())
        *problem +=
                QString("XML error at line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return items;
}

void TestStringTables::initTestCase()
{
    QFile list(sourcePath("string-ids.txt"));
    QVERIFY2(list.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(list.fileName()));
    int lineNumber = 0;
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = line.split('\t');
        bool ok = false;
        const int id = fields.first().toInt(&ok);
        if (!ok || id < 0 || fields.size() != 2 || fields.at(1).trimmed().isEmpty())
            m_idListProblems << QString("line %1: \"%2\"").arg(lineNumber).arg(line);
        else if (m_ids.contains(id))
            m_idListProblems << QString("line %1: id %2 listed twice").arg(lineNumber).arg(id);
        else
            m_ids << id;
    }
}

void TestStringTables::idListIsWellFormed()
{
    QVERIFY2(m_idListProblems.isEmpty(), qPrintable(m_idListProblems.join('\n')));
    // The ids every table must have whatever else the program grows.
    for (int id : {1,  3,  7,  8,   9,   10,   11,   12,   13,   14,   17,   19,  20,
                   21, 22, 80, 109, 187, 2000, 2923, 2910, 2914, 3000, 4000, 4001})
        QVERIFY2(m_ids.contains(id), qPrintable(QString::number(id)));
}

void TestStringTables::table_data()
{
    QTest::addColumn<QString>("language");
    for (const char* language : {"en", "fr", "vi"})
        QTest::newRow(language) << QString(language);
}

void TestStringTables::table()
{
    QFETCH(QString, language);
    const QString path = sourcePath(language + "/strings.xml");

    QString problem;
    const QMap<int, QString> items = itemsOf(path, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // What the program reads must be what the strict reading found.
    ResourceManager table(path);
    QStringList missing;
    for (int id : qAsConst(m_ids)) {
        const QString text = table.getValue(id);
        if (text.trimmed().isEmpty() || text != items.value(id))
            missing << QString::number(id);
    }
    QVERIFY2(missing.isEmpty(), qPrintable("no text for ids " + missing.join(", ")));

    QStringList unlisted;
    for (auto it = items.cbegin(); it != items.cend(); ++it) {
        if (!m_ids.contains(it.key()))
            unlisted << QString::number(it.key());
    }
    QVERIFY2(unlisted.isEmpty(), qPrintable("ids not in string-ids.txt: " + unlisted.join(", ")));

    QVERIFY(table.getValue(8).contains("(*.fbl)"));

    if (language != QLatin1String("en")) {
        // Catches texts copied over from English and never translated.
        const QMap<int, QString> english = itemsOf(sourcePath("en/strings.xml"), &problem);
        QStringList untranslated;
        for (int id : qAsConst(m_ids)) {
            if (items.value(id) == english.value(id))
                untranslated << QString::number(id);
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable("untranslated: " + untranslated.join(", ")));
    }
}

void TestStringTables::copyBesideProgramIsCurrent_data()
{
    table_data();
}

void TestStringTables::copyBesideProgramIsCurrent()
{
    QFETCH(QString, language);
    // Tests run in the build's program folder, where the program finds its tables.
    QFile copy("docs/" + language + "/strings.xml");
    if (!copy.open(QIODevice::ReadOnly))
        QSKIP("the data files have not been copied into this build");
    QFile source(sourcePath(language + "/strings.xml"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY2(copy.readAll() == source.readAll(), "the copy beside the program is out of date");
}

QTEST_GUILESS_MAIN(TestStringTables)
#include "tst_stringtables.moc"
