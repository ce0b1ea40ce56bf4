// The port and language menus beside the port status, and the settings they and the
// controller keep: the port choice reaches the link and is remembered (HX_SERIAL_PORT still
// wins), the language is stored for the next start, a negative Tx mode reads as the default.

#include "controllertestsupport.h"

#include "languagemenu.h"
#include "portmenu.h"

#include <simhost.h>
#include <simserver.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

SerialPortCatalog::Port port(const QString& name, const QString& description, quint16 vendor = 0,
                             quint16 product = 0)
{
    SerialPortCatalog::Port p;
    p.name = name;
    p.description = description;
    p.hasUsbIds = vendor != 0;
    p.vendorId = vendor;
    p.productId = product;
    p.otherKindOfDevice = p.hasUsbIds && SerialPortCatalog::isOtherKindOfDevice(vendor, product);
    return p;
}

QStringList entries(QMenu* menu, QStringList* checked = nullptr)
{
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        texts << action->text();
        if (checked && action->isChecked())
            *checked << action->text();
    }
    return texts;
}

QAction* actionNamed(QMenu* menu, const QString& start)
{
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(start))
            return action;
    }
    return nullptr;
}

// Opens the button's menu, saves a picture of the screen when HX_TEST_SHOTS names a
// folder (for review only), and closes it again.
void shootMenu(Ui::MainWidget* window, QToolButton* button, const QString& name)
{
    const QString folder = qEnvironmentVariable("HX_TEST_SHOTS");
    if (folder.isEmpty())
        return;
    window->show();
    window->activateWindow();
    QTest::qWaitForWindowExposed(window);
    QTimer::singleShot(400, [=] {
        QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + ".png"));
        button->menu()->close();
    });
    button->showMenu();
}

// A virtual unit in its own thread on a pseudo-terminal.
std::unique_ptr<SimHost> startUnit(const QString& linkPath)
{
    SimOptions options;
    options.linkPath = linkPath;
    options.serialNumber = 424242;
    return std::make_unique<SimHost>(options);
}

bool connected(TestController* controller)
{
    return controller->currentRunMode() == MainController::Online;
}

} // namespace

class TestStatusMenus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void otherKindsOfDevice_data();
    void otherKindsOfDevice();
    void portMenuListsAndChooses();
    void portChoiceReachesTheUnit();
    void environmentOverridesTheChoice();
    void language_data();
    void language();
    void negativeTxMode_data();
    void negativeTxMode();

private:
    QTemporaryDir m_dir;
};

void TestStatusMenus::initTestCase()
{
    useFastLink();
    qunsetenv("HX_SERIAL_PORT");
    for (int id = 5103; id <= 5111; ++id)
        QVERIFY2(!tr_(id).isEmpty(), qPrintable(QString::number(id)));
}

void TestStatusMenus::otherKindsOfDevice_data()
{
    QTest::addColumn<int>("vendor");
    QTest::addColumn<int>("product");
    QTest::addColumn<bool>("other");
    // Units come through USB-serial bridges and the STM32 virtual port: always probed.
    QTest::newRow("FTDI FT232R") << 0x0403 << 0x6001 << false;
    QTest::newRow("CP210x") << 0x10c4 << 0xea60 << false;
    QTest::newRow("CH340") << 0x1a86 << 0x7523 << false;
    QTest::newRow("Prolific") << 0x067b << 0x2303 << false;
    QTest::newRow("STM32 virtual COM port") << 0x0483 << 0x5740 << false;
    QTest::newRow("u-blox GNSS") << 0x1546 << 0x01a8 << true;
    QTest::newRow("Arduino Uno") << 0x2341 << 0x0043 << true;
    QTest::newRow("ST-LINK/V2-1") << 0x0483 << 0x374b << true;
    QTest::newRow("Huawei modem") << 0x12d1 << 0x1506 << true;
    QTest::newRow("Z-Wave stick on a CP210x vendor id") << 0x10c4 << 0x8a2a << true;
}

void TestStatusMenus::otherKindsOfDevice()
{
    QFETCH(int, vendor);
    QFETCH(int, product);
    QFETCH(bool, other);
    QCOMPARE(SerialPortCatalog::isOtherKindOfDevice(quint16(vendor), quint16(product)), other);
}

void TestStatusMenus::portMenuListsAndChooses()
{
    ControllerFixture f;
    auto* menu = f.ui->findChild<PortMenu*>();
    QVERIFY(menu);
    QVERIFY(menu->isVisibleTo(f.ui));
    QCOMPARE(f.link->preferredPort(), QString());
    const QString pty = m_dir.filePath("unit-link");
    menu->setPortLister([&] {
        return QList<SerialPortCatalog::Port>{
                port(pty, "Virtual unit", 0x0483, 0x5740),
                port("ttyACM7", "u-blox GNSS receiver", 0x1546, 0x01a8), port("ttyS0", "")};
    });
    menu->refill();
    QStringList checked;
    const QStringList texts = entries(menu->portMenu(), &checked);
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts.at(0), tr_(5104));
    QCOMPARE(texts.at(1), pty + QString::fromUtf8(" \u2014 Virtual unit (USB 0483:5740)"));
    QVERIFY(texts.at(2).startsWith(
            QString::fromUtf8("ttyACM7 \u2014 u-blox GNSS receiver (USB 1546:01a8)")));
    QVERIFY(texts.at(2).endsWith(tr_(5106)));
    QCOMPARE(texts.at(3), QStringLiteral("ttyS0"));
    QCOMPARE(checked, QStringList{tr_(5104)});

    shootMenu(f.ui, menu, "port-menu");

    actionNamed(menu->portMenu(), pty)->trigger();
    QCOMPARE(f.config->get("serial_port"), pty);
    QCOMPARE(f.link->preferredPort(), pty);
    QVERIFY(menu->toolTip().contains(pty));
    menu->refill();
    checked.clear();
    entries(menu->portMenu(), &checked);
    QCOMPARE(checked, QStringList{texts.at(1)});

    actionNamed(menu->portMenu(), tr_(5104))->trigger();
    QCOMPARE(f.config->get("serial_port"), QString());
    QCOMPARE(f.link->preferredPort(), QString());
}

void TestStatusMenus::portChoiceReachesTheUnit()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals on this system");
    auto unit = startUnit(m_dir.filePath("reach"));
    QVERIFY2(unit->started(), qPrintable(unit->error()));
    const QString pty = unit->path();
    QTemporaryDir home;
    const QString settings = home.filePath("fbl.afc");
    {
        // Automatic never finds a pseudo-terminal: the pilot names it in the menu.
        AppConfigManager config(settings);
        TestController controller(&config, nullptr);
        auto* menu = controller.mainWindow()->findChild<PortMenu*>();
        menu->setPortLister([&] {
            return QList<SerialPortCatalog::Port>{port(pty, "Virtual unit", 0x0483, 0x5740)};
        });
        QTest::qWait(600);
        QVERIFY(!connected(&controller));
        menu->refill();
        actionNamed(menu->portMenu(), pty)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(connected(&controller), 5000);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    {
        // Remembered: the next start goes to the same port by itself, and the menu shows it
        // chosen although the system does not list it.
        AppConfigManager config(settings);
        QCOMPARE(config.get("serial_port"), pty);
        TestController controller(&config, nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(connected(&controller), 5000);
        auto* menu = controller.mainWindow()->findChild<PortMenu*>();
        menu->setPortLister([] { return QList<SerialPortCatalog::Port>(); });
        menu->refill();
        QStringList checked;
        entries(menu->portMenu(), &checked);
        QCOMPARE(checked, QStringList{tr_(5105).arg(pty)});
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestStatusMenus::environmentOverridesTheChoice()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals on this system");
    auto unit = startUnit(m_dir.filePath("override"));
    QVERIFY2(unit->started(), qPrintable(unit->error()));
    QTemporaryDir home;
    const QString settings = home.filePath("fbl.afc");
    writeFile(settings, "serial_port?" + QFile::encodeName(unit->path()) + "\r\n");
    const QString named = home.filePath("no-such-port");
    qputenv("HX_SERIAL_PORT", QFile::encodeName(named));
    {
        AppConfigManager config(settings);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot open"));
        TestController controller(&config, nullptr);
        auto* menu = controller.mainWindow()->findChild<PortMenu*>();
        menu->refill();
        QAction* note = menu->portMenu()->actions().first();
        QCOMPARE(note->text(), tr_(5107).arg(named));
        QVERIFY(!note->isEnabled());
        QVERIFY(menu->toolTip().contains(named));
        // The remembered port holds a unit, but the environment names another port.
        QTest::qWait(1000);
        QVERIFY(!connected(&controller));
    }
    qunsetenv("HX_SERIAL_PORT");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestStatusMenus::language_data()
{
    QTest::addColumn<QString>("stored");  // in the file before the start
    QTest::addColumn<QString>("running"); // the language of this run
    QTest::addColumn<QString>("choice");  // empty: none
    QTest::addColumn<bool>("told");       // the next-start message shown
    QTest::addColumn<QString>("written"); // "lang" at exit
    QTest::newRow("nothing stored, nothing chosen") << ""
                                                    << "en"
                                                    << "" << false << "en";
    QTest::newRow("French chosen") << ""
                                   << "en"
                                   << "fr" << true << "fr";
    QTest::newRow("Vietnamese chosen") << "en"
                                       << "en"
                                       << "vi" << true << "vi";
    QTest::newRow("French kept over a run") << "fr"
                                            << "fr"
                                            << "" << false << "fr";
    QTest::newRow("running language chosen again") << "vi"
                                                   << "vi"
                                                   << "vi" << false << "vi";
    QTest::newRow("back to English") << "fr"
                                     << "fr"
                                     << "en" << true << "en";
    QTest::newRow("unknown code") << "de"
                                  << "en"
                                  << "" << false << "en";
}

void TestStatusMenus::language()
{
    QFETCH(QString, stored);
    QFETCH(QString, running);
    QFETCH(QString, choice);
    QFETCH(bool, told);
    QFETCH(QString, written);
    QTemporaryDir home;
    const QString settings = home.filePath("fbl.afc");
    if (!stored.isEmpty())
        writeFile(settings, "lang?" + stored.toLatin1() + "\r\n");
    {
        AppConfigManager config(settings);
        TestController controller(&config, new RecordingLink);
        auto* menu = controller.mainWindow()->findChild<LanguageMenu*>();
        QVERIFY(menu);
        QCOMPARE(menu->runningLanguage(), running);
        menu->languageMenu()->aboutToShow();
        QStringList checked;
        const QStringList texts = entries(menu->languageMenu(), &checked);
        QCOMPARE(texts.mid(0, 3), QStringList({"English", QString::fromUtf8("Fran\u00e7ais"),
                                               QString::fromUtf8("Ti\u1ebfng Vi\u1ec7t")}));
        QCOMPARE(texts.value(3), tr_(5111));
        QCOMPARE(checked.size(), 1);
        if (QTest::currentDataTag() == QLatin1String("nothing stored, nothing chosen"))
            shootMenu(controller.mainWindow(), menu, "language-menu");
        BoxAnswerer boxes({QMessageBox::Ok});
        if (!choice.isEmpty()) {
            for (QAction* action : menu->languageMenu()->actions()) {
                if (action->data().toString() == choice)
                    action->trigger();
            }
        }
        QTest::qWait(50);
        QCOMPARE(boxes.seen.size(), told ? 1 : 0);
        if (told) {
            QCOMPARE(boxes.seen.first().title, tr_(5109));
            QVERIFY(boxes.seen.first().text.startsWith(tr_(5110).left(tr_(5110).indexOf('%'))));
            QCOMPARE(config.get("lang"), written);
        }
        QCOMPARE(controller.mainWindow()->cbLanguage->currentData().toString(), written);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    AppConfigManager after(settings);
    QCOMPARE(after.get("lang"), written);
}

void TestStatusMenus::negativeTxMode_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << QByteArray("-1") << 0;
    QTest::newRow("-3") << QByteArray("-3") << 0;
    QTest::newRow("3 still applies") << QByteArray("3") << 3;
}

void TestStatusMenus::negativeTxMode()
{
    QFETCH(QByteArray, value);
    QFETCH(int, index);
    QTemporaryDir home;
    const QString settings = home.filePath("fbl.afc");
    writeFile(settings, "txmode?" + value + "\r\n");
    {
        AppConfigManager config(settings);
        TestController controller(&config, new RecordingLink);
        QCOMPARE(controller.mainWindow()->cbTxMode->currentIndex(), index);
        QVERIFY(!controller.mainWindow()->cbTxMode->currentText().isEmpty());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(AppConfigManager(settings).get("txmode"), QString::number(index));
}

QTEST_MAIN(TestStatusMenus)
#include "tst_statusmenus.moc"
