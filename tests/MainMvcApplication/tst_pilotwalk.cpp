// A pilot's walk through the whole program against the virtual unit: connected, edits
// confirmed and failed, the unit unplugged and plugged back in, files, backup, firmware,
// the flight log and the status area's menus. With HX_PILOT_SHOTS=<folder> each step
// leaves a picture there; HX_PILOT_LANG=fr|vi walks in another language.

#include "transfertestsupport.h"

#include "editfeedback.h"
#include "firmwaredialog.h"
#include "flightlogexport.h"
#include "languagemenu.h"
#include "offlinebanner.h"
#include "portmenu.h"
#include "statusareamenus.h"
#include "statusline.h"

#include <simhost.h>

#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSlider>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>

namespace {

QString lang()
{
    const QString l = qEnvironmentVariable("HX_PILOT_LANG");
    return l.isEmpty() ? QStringLiteral("en") : l;
}

void shot(QWidget* w, const QString& name, QWidget* front = nullptr, QPoint at = QPoint(-1, -1))
{
    const QString folder = qEnvironmentVariable("HX_PILOT_SHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300);
    QPixmap picture = w->window()->grab();
    if (front) {
        QPainter painter(&picture);
        const QPixmap top = front->grab();
        if (at.x() < 0)
            at = QPoint((picture.width() - top.width()) / 2, (picture.height() - top.height()) / 2);
        painter.drawPixmap(at, top);
    }
    picture.save(QDir(folder).filePath(lang() + QLatin1Char('-') + name + QStringLiteral(".png")));
}

void typeAndReturn(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class TestPilotWalk : public QObject
{
    Q_OBJECT
private slots:
    void walk();
};

void TestPilotWalk::walk()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals");
    QApplication::setQuitOnLastWindowClosed(false);
    qputenv("HX_SERIAL_TIMEOUT_MS", "60");
    qputenv("HX_SERIAL_ATTEMPTS", "3");
    qputenv("HX_SERIAL_SCAN_MS", "200");
    QTemporaryDir dir;
    SimOptions options;
    options.linkPath = dir.filePath(QStringLiteral("unit"));
    SimHost unit(options);
    QVERIFY2(unit.started(), qPrintable(unit.error()));

    qputenv("HX_SERIAL_PORT", QFile::encodeName(options.linkPath));
    ResourceManager::instance(QStringLiteral("docs/%1/strings.xml").arg(lang()));
    AppConfigManager config(dir.filePath(QStringLiteral("fbl.afc")));
    config.put(QStringLiteral("lang"), lang());
    QScopedPointer<TestController> c(new TestController(&config, nullptr));
    Ui::MainWidget* ui = c->mainWindow();
    c->showMainWindow();
    ui->window()->activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(c->currentRunMode() == MainController::Online, 8000);
    QTest::qWait(1500);
    shot(ui, "01-connected");

    // An edit confirmed.
    ui->mainTab->setCurrentIndex(7);
    ui->stackedTail->setCurrentWidget(ui->page_4);
    QTRY_COMPARE(ui->sliderTailGain->value(), 100);
    typeAndReturn(ui->editTailGain, QStringLiteral("30"));
    QTRY_VERIFY(!c->feedback()->statusLine()->message().isEmpty());
    shot(ui, "02-confirmed");

    // The unit drops every frame.
    unit.run([&unit]() {
        SimSession::Faults f;
        f.dropShare = 1.0;
        unit.server()->setFaults(f);
    });
    typeAndReturn(ui->editTailGain, QStringLiteral("45"));
    QTest::qWait(3000);
    shot(ui, "03-failed");
    unit.run([&unit]() { unit.server()->setFaults(SimSession::Faults()); });
    QTest::qWait(2000);
    shot(ui, "03b-after-drop");

    // Unplugged.
    QTRY_VERIFY_WITH_TIMEOUT(c->currentRunMode() == MainController::Online, 8000);
    unit.run([&unit]() { unit.server()->unplug(); });
    QTRY_VERIFY_WITH_TIMEOUT(!c->feedback()->offlineBanner()->isHidden(), 5000);
    typeAndReturn(ui->editTailGain, QStringLiteral("60"));
    QTest::qWait(1500);
    shot(ui, "04-offline-edit");

    // Save offline: the question.
    c->savePath = dir.filePath(QStringLiteral("offline"));
    {
        BoxAnswerer boxes({QMessageBox::Cancel});
        boxes.onBox = [ui](QMessageBox* box) { shot(ui, "05-save-offline", box); };
        ui->btnSave->click();
        QTest::qWait(500);
    }
    // Backup offline.
    {
        BoxAnswerer boxes({QMessageBox::Ok});
        boxes.onBox = [ui](QMessageBox* box) { shot(ui, "05b-backup-offline", box); };
        ui->findChild<QPushButton*>(QStringLiteral("btnBackup"))->click();
        QTest::qWait(500);
    }

    // Replugged.
    bool plugged = false;
    unit.run([&unit, &plugged]() { plugged = unit.server()->replug(); });
    QVERIFY(plugged);
    QTRY_VERIFY_WITH_TIMEOUT(c->feedback()->offlineBanner()->isHidden(), 8000);
    QTest::qWait(1500);
    shot(ui, "06-replugged");

    // A parameter file with bad lines, the diff, the end.
    const QString path = dir.filePath(QStringLiteral("bad.fbl"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0137=0060\n0303=0080\n0139=99999999999\n0138=0x20\n0150=0001\n0304=9999\n");
    }
    c->openPath = path;
    c->pauseMs = 200;
    whenRestoreDialog([&](RestoreDialog* dialog) {
        shot(ui, "07-diff", dialog);
        dialog->writeButton()->click();
    });
    {
        BoxAnswerer boxes({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
        boxes.onBox = [ui](QMessageBox* box) { shot(ui, "08-load-end", box); };
        ui->btnOpen->click();
        QTest::qWait(800);
    }

    // Backup.
    c->savePath = dir.filePath(QStringLiteral("backup.txt"));
    {
        BoxAnswerer boxes({QMessageBox::Ok, QMessageBox::Ok});
        boxes.onBox = [ui](QMessageBox* box) { shot(ui, "09-backup-end", box); };
        ui->findChild<QPushButton*>(QStringLiteral("btnBackup"))->click();
        QTest::qWait(800);
    }

    // Firmware, no flashing tool.
    {
        QTimer accept;
        QObject::connect(&accept, &QTimer::timeout, [ui] {
            if (auto* d = qobject_cast<FirmwareDialog*>(QApplication::activeModalWidget())) {
                shot(ui, "10-firmware-dialog", d);
                d->done(1);
            }
        });
        accept.start(50);
        BoxAnswerer boxes({QMessageBox::Ok, QMessageBox::No, QMessageBox::Ok});
        boxes.onBox = [ui](QMessageBox* box) { shot(ui, "11-firmware-end", box); };
        ui->btnFirmware->click();
        QTest::qWait(800);
    }

    // The log tab.
    ui->mainTab->setCurrentIndex(10);
    QTRY_VERIFY_WITH_TIMEOUT(ui->eventModel->rowCount() > 2, 5000);
    shot(ui, "12-log");
    ui->btnChartEvent_next->click();
    QTest::qWait(1500);
    shot(ui, "13-log-next");
    ui->btnChart->click();
    QTest::qWait(3000);
    shot(ui, "14-chart");
    ui->btnEvent->click();
    auto* exporter = c->findChild<FlightLogExport*>();
    exporter->setPathChooser([&dir](const QString& s) { return dir.filePath(s); });
    {
        BoxAnswerer boxes({QMessageBox::Ok});
        boxes.onBox = [ui](QMessageBox* box) { shot(ui, "15-export", box); };
        exporter->exportEvents();
    }
    if (QMenu* m = exporter->menu()) {
        m->popup(exporter->button()->mapToGlobal(QPoint(0, 0)));
        shot(ui, "15b-export-menu", m,
             exporter->button()->mapTo(ui->window(), QPoint(0, -m->sizeHint().height())));
        m->hide();
    }
    ui->btnChartEvent_prev->click();
    QTest::qWait(1500);
    shot(ui, "15c-log-prev");

    // The status area's menus.
    auto* menus = ui->findChild<StatusAreaMenus*>();
    QVERIFY(menus);
    for (QToolButton* b : {static_cast<QToolButton*>(menus->portMenu()),
                           static_cast<QToolButton*>(menus->languageMenu())}) {
        QMenu* m = b->menu();
        QTimer::singleShot(400, [ui, b, m] {
            shot(ui, b == b->parent()->findChild<PortMenu*>() ? "16-port-menu" : "17-lang-menu", m,
                 b->mapTo(ui->window(), QPoint(0, -m->sizeHint().height())));
            m->hide();
        });
        b->showMenu();
    }
    ui->mainTab->setCurrentIndex(0);
    shot(ui, "18-end");
}

QTEST_MAIN(TestPilotWalk)
#include "tst_pilotwalk.moc"
