// The help pages shown beside the settings tabs (docs/en/*.htm in the bin folder).

#include <QColor>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

class tst_HelpPages : public QObject
{
    Q_OBJECT

private slots:
    void page_data();
    void page();
};

void tst_HelpPages::page_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("settings"); // captions of the tab the page must explain

    QTest::newRow("start") << "docs/en/start.htm"
                           << QStringList{"Flying Style", "Heli Size", "LowBec",  "Rescue Pit",
                                          "RESCUE",       "SENSOR",    "GOVERNOR"};
    QTest::newRow("rx") << "docs/en/rx.htm"
                        << QStringList{"Receiver Type", "Tx Mode", "Set Center", "Bind",
                                       "Monitor",       "DSMX",    "VBEC"};
    QTest::newRow("sensor") << "docs/en/sensor.htm" << QStringList{"nose", "tail", "upside down"};
    QTest::newRow("swash") << "docs/en/swash.htm" << QStringList{"Main Rotor Direction",
                                                                 "Swash Type",
                                                                 "Phasing",
                                                                 "Angle",
                                                                 "H-3 140",
                                                                 "Default"};
    QTest::newRow("servos") << "docs/en/servos.htm"
                            << QStringList{"Servos Type", "Swash Trim", "Swash servo phasing",
                                           "Default",     "NORMAL",     "REVERSED"};
    QTest::newRow("collective") << "docs/en/collective.htm"
                                << QStringList{"Collective Direction", "Collective Travel",
                                               "Travel (+)", "Pitch pump"};
    QTest::newRow("cyclic") << "docs/en/cyclic.htm"
                            << QStringList{"Limit",
                                           "Agility",
                                           "Gain",
                                           "Roll Rate",
                                           "Flip Rate",
                                           "RC Deadband",
                                           "Elevator Precompensation",
                                           "Paddle simulation",
                                           "% Expo",
                                           "Elevator Gain",
                                           "Aileron Gain",
                                           "P Gain",
                                           "I Gain",
                                           "D Gain"};
    QTest::newRow("tail") << "docs/en/tail.htm"
                          << QStringList{"Servos Type", "Travel R",
                                         "Travel L",    "Yaw rate",
                                         "GAIN BY TX",  "Acceleration",
                                         "Stop L",      "Stop R",
                                         "% Expo",      "Torque precompensation",
                                         "P Gain"};
    QTest::newRow("governor") << "docs/en/governor.htm"
                              << QStringList{"Disabled",
                                             "Electric",
                                             "Nitro/Gas",
                                             "Motor off",
                                             "Max Throttle",
                                             "Start Throttle",
                                             "ScrollUp",
                                             "Governor Gain",
                                             "RPM1 (50%)",
                                             "RPM3 (100%)",
                                             "Autorotation Bailout Mode",
                                             "Idle during Bailout",
                                             "GearRatio",
                                             "Motor Poles",
                                             "Throttle Servo Reverse"};
    QTest::newRow("bank") << "docs/en/bank.htm"
                          << QStringList{"Bank1", "Bank3", "Cyclic Agility", "Cyclic Gain", "RPM"};
    QTest::newRow("gps") << "docs/en/gps.htm"
                         << QStringList{"GPS Status",   "Compass",   "GPS GAIN",   "ALTI GAIN",
                                        "RTH Altitude", "RTH Speed", "RTH Up/Down"};
}

void tst_HelpPages::page()
{
    QFETCH(QString, path);
    QFETCH(QStringList, settings);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = file.readAll();

    // The window reads the pages in the system's 8-bit encoding, which differs between
    // pilots' computers: only ASCII reads the same everywhere (entities for the rest).
    for (char c : bytes)
        QVERIFY2(uchar(c) < 0x80, "non-ASCII byte: use an HTML entity");

    const QString html = QString::fromLatin1(bytes);
    // Nothing is loaded from outside the page.
    const QRegularExpression external("<(img|link|script|iframe|object)\\b|\\bsrc\\s*=|url\\(",
                                      QRegularExpression::CaseInsensitiveOption);
    QVERIFY2(!external.match(html).hasMatch(), qPrintable(external.match(html).captured()));

    // Text takes the window's light colour; any colour set in the page must be light too.
    const QRegularExpression colour("(?:color\\s*[:=]\\s*\"?)(#[0-9a-fA-F]{3,6}|[a-z]+)",
                                    QRegularExpression::CaseInsensitiveOption);
    auto it = colour.globalMatch(html);
    while (it.hasNext()) {
        const QColor c(it.next().captured(1));
        QVERIFY2(c.isValid() && c.lightness() >= 110, qPrintable(c.name()));
    }

    QTextDocument document;
    document.setHtml(html);
    const QString text = document.toPlainText();
    QVERIFY(text.size() > 800); // a page with content, not a stub
    // Every entity was known to the rich-text engine.
    const QRegularExpression entity("&[a-zA-Z#0-9]+;");
    QVERIFY2(!entity.match(text).hasMatch(), qPrintable(entity.match(text).captured()));

    for (const QString& setting : qAsConst(settings))
        QVERIFY2(text.contains(setting, Qt::CaseInsensitive), qPrintable(setting));
}

QTEST_MAIN(tst_HelpPages)
#include "tst_helppages.moc"
