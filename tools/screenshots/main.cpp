// Renders the main window's tabs and pages, and the device information dialog, to PNG
// files, so the look can be reviewed without a display:
//   QT_QPA_PLATFORM=offscreen hxscreenshots <folder> [width height]
// Run it in the bin folder: the window reads its pictures and pages from there.

#include "firmwaredialog.h"
#include "lazychartpage.h"
#include "mainwidget.h"

#include <buttongroup.h>
#include <resourcemanager.h>
#include <rxmonitorview.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardItemModel>
#include <QTextStream>
#include <QWebFrame>
#include <QWebPage>

namespace {

void settle(int ms = 350)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

class Shooter
{
public:
    Shooter(QWidget* window, const QDir& folder)
        : m_window(window)
        , m_folder(folder)
    {}

    bool shoot(const QString& name, QWidget* widget = nullptr)
    {
        settle();
        QWidget* target = widget ? widget : m_window;
        const QString path = m_folder.filePath(
                QStringLiteral("%1-%2.png").arg(++m_count, 2, 10, QChar('0')).arg(name));
        const bool ok = target->grab().save(path);
        QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << path << '\n';
        return ok;
    }

private:
    QWidget* m_window;
    QDir m_folder;
    int m_count = 0;
};

// The controller makes these connections for the adaptors' widgets; the pictures need
// the same reactions.
void connectLikeTheController(Ui_MainWidget* w)
{
    for (QSlider* slider : {w->sliderRx1, w->sliderRx2, w->sliderRx3})
        QObject::connect(slider, SIGNAL(valueChanged(int)), w, SLOT(slider_valueChanged(int)));
    for (QComboBox* combo : {w->cbReceiverType, w->cbGovernorMode, w->rpmType})
        QObject::connect(combo, SIGNAL(currentIndexChanged(int)), w,
                         SLOT(comboBox_currentIndexChanged(int)));
    QObject::connect(w->swashTypeGroup, SIGNAL(buttonToggled(int, bool)), w,
                     SLOT(buttonGroup_button_toggled(int, bool)));
    for (QToolButton* button : {w->btnServoCh1, w->btnServoCh2, w->btnServoCh3, w->btnServoCh4})
        QObject::connect(button, SIGNAL(toggled(bool)), w, SLOT(servoButtons_toggled(bool)));
}

void showSampleLog(Ui_MainWidget* w)
{
    const QList<QList<QString>> rows = {{"0", "1", "Unit powered on"},
                                        {"15.3", "2", "Motor armed"},
                                        {"17.1", "4", "Governor engaged"},
                                        {"84.2", "11", "Receiver signal lost"},
                                        {"84.8", "12", "Receiver signal regained"},
                                        {"295", "20", "Unit powered off"}};
    for (const auto& row : rows) {
        QList<QStandardItem*> items;
        for (const QString& cell : row) {
            auto* item = new QStandardItem(cell);
            item->setTextAlignment(Qt::AlignCenter);
            items << item;
        }
        w->eventModel->appendRow(items);
    }
}

void showSampleChart(Ui_MainWidget* w)
{
    QStringList rpm, thr, vbec;
    for (int i = 0; i < 120; ++i) {
        const int spool = qMin(i, 20);
        rpm << QString::number(spool * 120 + (i > 20 ? (i % 7) * 6 : 0));
        thr << QString::number(qMin(70, i * 4));
        vbec << QString::number(74 - i / 40);
    }
    const QString data = QStringLiteral("5;rpm:%1;thr:%2;vbec:%3")
                                 .arg(rpm.join(','), thr.join(','), vbec.join(','));
    w->chartPage->load();
    w->chartView->page()->mainFrame()->evaluateJavaScript(
            QStringLiteral("changeData('604', '%1');").arg(data));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: hxscreenshots <folder> [width height]\n";
        return 2;
    }
    QDir folder(args.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << args.at(1) << '\n';
        return 1;
    }
    const int width = args.size() > 3 ? args.at(2).toInt() : 1280;
    const int height = args.size() > 3 ? args.at(3).toInt() : 660;

    ResourceManager::instance(QStringLiteral("docs/en/strings.xml"));
    Ui::MainWidget window;
    connectLikeTheController(&window);
    window.registerUiConnections();
    window.intializeWidgetProperties();
    window.setToolTipForWidgets();
    window.mainTab->setCurrentIndex(0);
    window.updateLabelPortStatus(false);
    window.resize(width, height);
    window.show();
    settle(800);

    Shooter shooter(&window, folder);
    const QStringList tabs = {"start",  "rx",   "sensor",   "swash", "servos", "collective",
                              "cyclic", "tail", "governor", "bank",  "log",    "gps"};
    for (int i = 0; i < tabs.size(); ++i) {
        window.mainTab->setCurrentIndex(i);
        window.animationWhenTabChange(i);
        shooter.shoot(QStringLiteral("tab-%1").arg(tabs.at(i)));
    }

    window.mainTab->setCurrentIndex(1);
    window.cbReceiverType->setCurrentIndex(window.cbReceiverType->count() - 1);
    window.rxViewLeft->xValue = 1320;
    window.rxViewLeft->yValue = 1900;
    window.rxViewLeft->valueArrived = true;
    window.rxViewLeft->moveSensor();
    window.sliderRx1->setValue(1900);
    window.vBecLabel->setText(QStringLiteral("VBEC: 7.4V"));
    shooter.shoot(QStringLiteral("rx-satellite-live"));

    const QList<QPair<QPushButton*, QString>> arrows = {{window.btnSwashAdvance, "swash"},
                                                        {window.btnServosAdvance, "servos"},
                                                        {window.btnCollectiveAdvance, "collective"},
                                                        {window.btnCyclicAdvance, "cyclic"},
                                                        {window.btnTailAdvance, "tail"}};
    for (int i = 0; i < arrows.size(); ++i) {
        window.mainTab->setCurrentIndex(3 + i);
        arrows.at(i).first->click();
        shooter.shoot(QStringLiteral("%1-page2").arg(arrows.at(i).second));
    }
    window.mainTab->setCurrentIndex(6);
    window.btnCyclicAdvance->click();
    window.btnCyclicGainAdvanceButton->click();
    shooter.shoot(QStringLiteral("cyclic-page3-gains"));
    window.mainTab->setCurrentIndex(7);
    window.btnTailGainAdvanceButton->click();
    shooter.shoot(QStringLiteral("tail-page3-gains"));

    window.mainTab->setCurrentIndex(4);
    window.btnServosAdvance->click();
    window.btnSwashplate3->click();
    window.btnServoCh2->setChecked(false);
    shooter.shoot(QStringLiteral("servos-swash-type3"));
    window.btnSwashplate4->setCheckable(true);
    window.btnSwashplate4->setChecked(true);
    shooter.shoot(QStringLiteral("servos-swash-type4"));
    window.btnSwashplate1->setChecked(true);

    window.mainTab->setCurrentIndex(8);
    window.cbGovernorMode->setCurrentIndex(1);
    window.rpmType->setCurrentIndex(2);
    shooter.shoot(QStringLiteral("governor-electric"));
    window.cbGovernorMode->setCurrentIndex(2);
    shooter.shoot(QStringLiteral("governor-nitro"));

    window.mainTab->setCurrentIndex(10);
    showSampleLog(&window);
    shooter.shoot(QStringLiteral("log-events"));
    window.btnChart->click();
    showSampleChart(&window);
    shooter.shoot(QStringLiteral("log-chart"));

    window.mainTab->setCurrentIndex(2);
    window.lowBecEdit->setFocus();
    window.showProgressDialog(ProgressDialog::Progress, QStringLiteral("Writing parameters..."));
    window.progressDialog->setProgressBarValue(40);
    shooter.shoot(QStringLiteral("progress-dialog"));
    window.hideProgressDialog();

    FirmwareDialog dialog(&window);
    dialog.setSerialNumber(QStringLiteral("123456"));
    dialog.setHardwareVersion(QStringLiteral("HW 1.1"));
    dialog.setFirmwareVersion(QStringLiteral("FW 2.15"));
    dialog.show();
    shooter.shoot(QStringLiteral("firmware-dialog"), &dialog);
    return 0;
}
