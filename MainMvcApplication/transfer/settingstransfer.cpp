#include "settingstransfer.h"

#include "adaptormodel.h"
#include "mainwidget.h"
#include "parametermodel.h"
#include "restoredialog.h"
#include "tracecategories.h"

#include <appconfigmanager.h>
#include <progressdialog.h>
#include <resourcemanager.h>
#include <serialmanager.h>
#include <unitsettingtable.h>

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace {

const char* const KeyLastParamsDir = "last_params_dir";
const int SerialNumberAddress = 3;

// Texts of the file flows (see data/docs/string-ids.txt).
const int TextFileFilter = 8;
const int TextOpenCaption = 10;
const int TextSaveCaption = 11;
const int TextUnreadable = 12;
const int TextSaveFailedTitle = 20;
const int TextSaveFailed = 21;
const int TextNotConnected = 22;
const int TextOfflineSaveTitle = 5200;
const int TextOfflineSave = 5201;
const int TextNotInSaveList = 5208;
const int TextNotSetting = 5209;
const int TextUnparsable = 5210;
const int TextOutOfRange = 5211;
const int TextNothingDiffers = 5213;
const int TextReadingUnit = 5214;
const int TextWriting = 5215;
const int TextEndTitle = 5216;
const int TextAllWritten = 5217;
const int TextCutShort = 5218;
const int TextSomeFailed = 5219;
const int TextReadFailed = 5221;
const int TextBackupTitle = 5222;
const int TextBackupOffline = 5223;
const int TextBackupTooltip = 5224;
const int TextBackupCaption = 5225;
const int TextBackupFilter = 5226;
const int TextReadingAll = 5227;
const int TextBackupSaved = 5229;
const int TextBackupIncomplete = 5230;
const int TextOpenFilter = 5232;
const int TextNotReported = 5233;
const int TextNotConfirmed = 5234;
const int TextCutShortNoneWritten = 5470;

// How long the unit may take to answer a read of n addresses. The link gives up on a
// silent unit well before this (it then reports the port closed).
int readTimeoutMs(int n)
{
    return 3000 + 40 * n;
}
// How long a write may take to be confirmed; the link's retries end well before.
const int WriteTimeoutMs = 10000;

QString withSuffix(const QString& path, const char* suffix)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1Char('.') + QLatin1String(suffix)
                                              : path;
}

} // namespace

const char* const SettingsTransfer::BackupSuffix = "fbk";
const char* const SettingsTransfer::ParameterFileSuffix = "fbl";

SettingsTransfer::SettingsTransfer(Ui_MainWidget* window, SerialManager* link,
                                   ParameterModel* parameters, AdaptorModel* adaptors,
                                   AppConfigManager* config, ResourceManager* resources,
                                   QVector<int> saveList, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_link(link)
    , m_parameters(parameters)
    , m_adaptors(adaptors)
    , m_config(config)
    , m_resources(resources)
    , m_saveList(std::move(saveList))
    , m_catalog(window, adaptors, resources)
{}

SettingsTransfer::~SettingsTransfer() = default;

QString SettingsTransfer::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

QString SettingsTransfer::startFolder() const
{
    const QString dir = m_config->get(QLatin1String(KeyLastParamsDir));
    if (!dir.isEmpty())
        return dir;
    // Never the program's own folder: it may not be writable, and files there are lost
    // with the next installation.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::HomeLocation)
                               : documents;
}

void SettingsTransfer::rememberFolder(const QString& path)
{
    m_config->put(QLatin1String(KeyLastParamsDir), path.left(path.lastIndexOf(QLatin1Char('/'))));
}

void SettingsTransfer::beginBusy()
{
    m_busy = true;
    m_portOpen = m_link->isConnected();
    if (m_hooks.setBusy)
        m_hooks.setBusy(true);
}

void SettingsTransfer::endBusy()
{
    m_window->hideProgressDialog();
    m_collecting = false;
    m_pendingWrite = -1;
    m_busy = false;
    if (m_hooks.setBusy)
        m_hooks.setBusy(false);
}

QPushButton* SettingsTransfer::createBackupButton()
{
    if (m_backupButton)
        return m_backupButton;
    // Beside the open button, in the same cell of the status area's grid, styled like it.
    QWidget* open = m_window->btnOpen;
    auto* grid = qobject_cast<QGridLayout*>(m_window->layout());
    m_backupButton = new QPushButton(m_window);
    m_backupButton->setObjectName(QStringLiteral("btnBackup"));
    m_backupButton->setFixedSize(open->size().isValid() ? open->minimumSize() : QSize(41, 41));
    m_backupButton->setStyleSheet(open->styleSheet().replace(QLatin1String("images/open.png"),
                                                             QLatin1String("images/backup.png")));
    m_backupButton->setToolTip(text(TextBackupTooltip));
    m_backupButton->setCursor(open->cursor());
    const int index = grid ? grid->indexOf(open) : -1;
    if (index >= 0) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        auto* cell = new QWidget(m_window);
        auto* pair = new QHBoxLayout(cell);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(grid->horizontalSpacing() >= 0 ? grid->horizontalSpacing() : 6);
        grid->removeWidget(open);
        pair->addWidget(open);
        pair->addWidget(m_backupButton);
        grid->addWidget(cell, row, column, rowSpan, columnSpan);
    }
    m_backupButton->show();
    connect(m_backupButton, &QPushButton::clicked, this, &SettingsTransfer::backup);
    return m_backupButton;
}

// --- Feeding from the link ---------------------------------------------------------------

void SettingsTransfer::takeAnswer(int address, int value)
{
    if (!m_collecting || !m_wanted.contains(address))
        return;
    m_answers.insert(address, value);
    if (!m_wanted.isEmpty())
        m_window->progressDialog->setProgressBarValue(
                int(m_answers.size() * 100 / m_wanted.size()));
    if (m_answers.size() == m_wanted.size())
        wake();
}

void SettingsTransfer::portStatusChanged(bool open)
{
    m_portOpen = open;
    if (!open)
        wake();
}

void SettingsTransfer::writeFinished(int address, int value, bool confirmed)
{
    Q_UNUSED(value)
    if (address != m_pendingWrite || m_writeEnded)
        return;
    m_writeEnded = true;
    m_writeConfirmed = confirmed;
    wake();
}

// --- Waiting -------------------------------------------------------------------------------

void SettingsTransfer::wake()
{
    m_woken = true;
    if (m_loop)
        m_loop->quit();
}

const char* SettingsTransfer::waitName(Wait wait)
{
    switch (wait) {
    case Wait::Done:
        return "done";
    case Wait::TimedOut:
        return "timed out";
    case Wait::Lost:
        return "the unit went away";
    case Wait::Quit:
        return "the program is closing";
    }
    return "";
}

SettingsTransfer::Wait SettingsTransfer::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (done())
            return Wait::Done;
        if (!m_portOpen)
            return Wait::Lost;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return Wait::TimedOut;
        // The window keeps painting but takes no input, so nothing can start another flow
        // in the middle of this one.
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        // A coarse timer may fire up to 5 % early; the unit needs the whole pause.
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(int(left));
        m_woken = false;
        m_loop = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        m_loop = nullptr;
        // Neither woken nor timed out: only the application's quit ends a loop early.
        if (!m_woken && timer.isActive())
            return Wait::Quit;
    }
}

SettingsTransfer::Wait SettingsTransfer::readUnit(const QList<int>& addresses, int progressTextId)
{
    m_answers.clear();
    m_wanted = QSet<int>(addresses.cbegin(), addresses.cend());
    m_collecting = true;
    m_window->showProgressDialog(ProgressDialog::Progress, text(progressTextId));
    m_window->progressDialog->setProgressBarValue(0);
    QStringList request;
    for (int address : addresses)
        request << QStringLiteral("%1").arg(address, 4, 10, QLatin1Char('0'));
    m_link->requestRead(QVariant(request.join(QLatin1Char(','))));
    qCDebug(lcTransfer, "reading %d settings of the unit", int(addresses.size()));
    const Wait result = waitFor([this] { return m_answers.size() == m_wanted.size(); },
                                readTimeoutMs(addresses.size()));
    m_collecting = false;
    qCDebug(lcTransfer, "%d of %d settings read (%s)", int(m_answers.size()), int(addresses.size()),
            waitName(result));
    return result;
}

// --- Save ----------------------------------------------------------------------------------

void SettingsTransfer::save()
{
    if (m_busy)
        return;
    const bool connected = m_link->isConnected();
    if (!connected) {
        // Without a unit the file would hold whatever the window shows, which may never
        // have been on any unit.
        const auto answer =
                QMessageBox::question(m_window, text(TextOfflineSaveTitle), text(TextOfflineSave),
                                      QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Save)
            return;
    } else {
        // The answers update the model while the pilot picks a file.
        for (int address : m_saveList)
            m_link->requestReadOne(
                    QVariant(QStringLiteral("%1").arg(address, 4, 10, QLatin1Char('0'))));
    }
    QString path =
            m_hooks.chooseSavePath(text(TextSaveCaption), startFolder(), text(TextFileFilter));
    if (path.isEmpty())
        return;
    // The open dialog lists files by their suffix; a file saved without one would not show.
    path = withSuffix(path, ParameterFileSuffix);
    rememberFolder(path);
    qCDebug(lcTransfer, "saving %d settings (%s) to %s", int(m_saveList.size()),
            connected ? "the unit's" : "the window's, no unit connected", qPrintable(path));
    if (m_parameters->saveToFile(path, m_saveList.constData(), m_saveList.size()) != 0) {
        qWarning("Could not write the parameter file %s", qPrintable(path));
        QMessageBox::critical(m_window, text(TextSaveFailedTitle), text(TextSaveFailed),
                              QMessageBox::Ok);
    }
}

// --- Backup --------------------------------------------------------------------------------

void SettingsTransfer::backup()
{
    if (m_busy)
        return;
    if (!m_link->isConnected()) {
        QMessageBox::warning(m_window, text(TextBackupTitle), text(TextBackupOffline),
                             QMessageBox::Ok);
        return;
    }
    QList<int> addresses;
    for (const UnitSettingTable::Setting& setting : UnitSettingTable::all())
        addresses << setting.address;
    addresses << SerialNumberAddress;

    beginBusy();
    const Wait read = readUnit(addresses, TextReadingAll);
    const QMap<int, int> answers = m_answers;
    endBusy();
    if (read == Wait::Quit)
        return;
    if (read != Wait::Done) {
        // A backup that lacks settings would restore a unit only in part: none is saved.
        const int missing = addresses.size() - answers.size();
        qWarning("Backup: the unit did not answer for %d of %d addresses", missing,
                 int(addresses.size()));
        QMessageBox::critical(m_window, text(TextBackupTitle),
                              text(TextBackupIncomplete).arg(missing).arg(addresses.size()),
                              QMessageBox::Ok);
        return;
    }

    QMap<int, int> settings = answers;
    const int serial = settings.take(SerialNumberAddress);
    const QString name = QStringLiteral("unit-%1-%2.%3")
                                 .arg(serial)
                                 .arg(QDate::currentDate().toString(Qt::ISODate))
                                 .arg(QLatin1String(BackupSuffix));
    QString path =
            m_hooks.chooseSavePath(text(TextBackupCaption), startFolder() + QLatin1Char('/') + name,
                                   text(TextBackupFilter));
    if (path.isEmpty())
        return;
    path = withSuffix(path, BackupSuffix);
    rememberFolder(path);
    if (qSaveParametersToFile(path, settings) != 0) {
        qWarning("Could not write the backup %s", qPrintable(path));
        QMessageBox::critical(m_window, text(TextSaveFailedTitle), text(TextSaveFailed),
                              QMessageBox::Ok);
        return;
    }
    qCDebug(lcTransfer, "backup of unit %d saved to %s: %d settings", serial, qPrintable(path),
            int(settings.size()));
    QMessageBox::information(m_window, text(TextBackupTitle),
                             text(TextBackupSaved).arg(settings.size()).arg(path), QMessageBox::Ok);
}

// --- Open and restore ----------------------------------------------------------------------

QStringList SettingsTransfer::notWrittenLines(const QMap<int, int>& fileValues,
                                              const QList<ParameterFileSkip>& skipped,
                                              bool backupFile, QMap<int, int>* writable) const
{
    QStringList lines;
    for (const ParameterFileSkip& skip : skipped) {
        if (skip.reason == ParameterFileSkip::Unparsable) {
            lines << text(TextUnparsable).arg(QString::number(skip.line), skip.text);
        } else {
            const UnitSettingTable::Setting* setting = UnitSettingTable::find(skip.address);
            // One arg() call: a name may hold "%" (the governor's "RPM1 (50%)").
            lines << text(TextOutOfRange)
                             .arg(QString::number(skip.line), m_catalog.name(skip.address),
                                  m_catalog.display(skip.address, skip.value),
                                  setting ? m_catalog.display(skip.address, setting->minimum)
                                          : QString(),
                                  setting ? m_catalog.display(skip.address, setting->maximum)
                                          : QString());
        }
    }
    for (auto it = fileValues.cbegin(); it != fileValues.cend(); ++it) {
        const int address = it.key();
        // Anything that is not a setting (commands, the bootloader switch, live values)
        // must never reach the unit from a file.
        const bool allowed = UnitSettingTable::isSetting(address) &&
                             (backupFile || m_saveList.contains(address));
        if (allowed)
            writable->insert(address, it.value());
        else if (UnitSettingTable::isSetting(address))
            lines << text(TextNotInSaveList).arg(m_catalog.name(address), QString::number(address));
        else
            lines << text(TextNotSetting).arg(address);
    }
    return lines;
}

void SettingsTransfer::open()
{
    if (m_busy)
        return;
    const QString path =
            m_hooks.chooseOpenPath(text(TextOpenCaption), startFolder(), text(TextOpenFilter));
    if (path.isEmpty())
        return;
    rememberFolder(path);

    QMap<int, int> fileValues;
    QList<ParameterFileSkip> skipped;
    if (qReadParametersFromFile(path, &fileValues, &skipped) != 0) {
        QMessageBox::critical(m_window, text(TextOpenCaption), text(TextUnreadable),
                              QMessageBox::Ok);
        return;
    }
    if (!m_link->isConnected()) {
        QMessageBox::warning(m_window, text(TextOpenCaption), text(TextNotConnected),
                             QMessageBox::Ok);
        return;
    }
    const bool backupFile =
            QFileInfo(path).suffix().compare(QLatin1String(BackupSuffix), Qt::CaseInsensitive) == 0;
    QMap<int, int> writable;
    const QStringList notWritten = notWrittenLines(fileValues, skipped, backupFile, &writable);
    for (const QString& line : notWritten)
        qWarning("Parameter file %s: not written: %s", qPrintable(path), qPrintable(line));
    qCDebug(lcTransfer, "opened %s (%s): %d values, %d may be written, %d lines not",
            qPrintable(path), backupFile ? "a backup" : "a parameter file", int(fileValues.size()),
            int(writable.size()), int(notWritten.size()));

    beginBusy();
    // What the unit holds now, so that only what differs is shown and written.
    Wait read = Wait::Done;
    if (!writable.isEmpty())
        read = readUnit(writable.keys(), TextReadingUnit);
    const QMap<int, int> unitValues = m_answers;
    m_window->hideProgressDialog();
    if (read == Wait::Quit) {
        endBusy();
        return;
    }
    if (read == Wait::Lost) {
        endBusy();
        QMessageBox::warning(m_window, text(TextEndTitle), text(TextReadFailed), QMessageBox::Ok);
        return;
    }

    QList<RestoreDialog::Row> rows;
    for (auto it = writable.cbegin(); it != writable.cend(); ++it) {
        const int address = it.key();
        const bool known = unitValues.contains(address);
        if (known && unitValues.value(address) == it.value())
            continue;
        rows.append({address, m_catalog.name(address),
                     known ? m_catalog.display(address, unitValues.value(address))
                           : text(TextNotReported),
                     m_catalog.display(address, it.value())});
    }
    if (rows.isEmpty() && notWritten.isEmpty()) {
        endBusy();
        QMessageBox::information(m_window, text(TextEndTitle),
                                 text(TextNothingDiffers).arg(writable.size()), QMessageBox::Ok);
        return;
    }

    QMap<int, int> toWrite;
    {
        RestoreDialog dialog(m_resources, QFileInfo(path).fileName(), writable.size(), rows,
                             notWritten, m_window);
        const int result = dialog.exec();
        if (result == QDialog::Accepted) {
            for (int address : dialog.checkedAddresses())
                toWrite.insert(address, writable.value(address));
        }
        qCDebug(lcTransfer, "%d settings differ from the unit; the pilot %s", int(rows.size()),
                result == QDialog::Accepted
                        ? qPrintable(QStringLiteral("chose %1 to write").arg(toWrite.size()))
                        : "cancelled");
    }
    if (toWrite.isEmpty()) {
        // Cancelled, or nothing checked: the unit is unchanged. (A unit that went away
        // while the dialog was open is reported by the write loop: nothing written.)
        endBusy();
        return;
    }
    writeValues(toWrite);
}

void SettingsTransfer::writeValues(const QMap<int, int>& values)
{
    const int total = values.size();
    int confirmed = 0;
    QStringList failed;
    bool cutShort = false;
    bool quitting = false;

    m_window->showProgressDialog(ProgressDialog::Progress, text(TextWriting).arg(total));
    m_window->progressDialog->setProgressBarValue(0);
    int done = 0;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int address = it.key();
        const int value = it.value();
        if (!m_portOpen || !m_link->isConnected()) {
            cutShort = true;
            break;
        }
        QElapsedTimer sent;
        sent.start();
        m_pendingWrite = address;
        m_writeEnded = false;
        m_writeConfirmed = false;
        m_link->requestWrite(
                QVariant(QString::number(address) + QLatin1Char(',') + QString::number(value)));
        const Wait outcome = waitFor([this] { return m_writeEnded; }, WriteTimeoutMs);
        m_pendingWrite = -1;
        ++done;
        m_window->progressDialog->setProgressBarValue(done * 100 / total);
        if (outcome == Wait::Quit) {
            quitting = true;
            break;
        }
        qCDebug(lcTransfer, "write %d,%d (%s = %s): %s", address, value,
                qPrintable(m_catalog.name(address)), qPrintable(m_catalog.display(address, value)),
                m_writeEnded ? (m_writeConfirmed ? "confirmed" : "not confirmed")
                             : waitName(outcome));
        if (m_writeEnded && m_writeConfirmed) {
            ++confirmed;
            m_parameters->setParamValue(address, value);
            m_adaptors->setAdaptorValue(address, value);
            if (address == 524 || address == 533 || address == 534) // the bank tab's copies
                m_adaptors->setAdaptorValue(address + 1000, value);
        } else {
            failed << QStringLiteral("%1 = %2").arg(m_catalog.name(address),
                                                    m_catalog.display(address, value));
            // A unit that went away cuts the whole load short.
            if (outcome == Wait::Lost || !m_link->isConnected()) {
                cutShort = true;
                break;
            }
        }
        // Keep the pace the unit needs between two stored values.
        const int pause = m_hooks.writePauseMs ? m_hooks.writePauseMs() : 200;
        const qint64 left = pause - sent.elapsed();
        if (left > 0 && std::next(it) != values.cend()) {
            const Wait paced = waitFor([] { return false; }, int(left));
            if (paced == Wait::Quit) {
                quitting = true;
                break;
            }
        }
    }
    endBusy();
    qCDebug(lcTransfer, "%d of %d values written%s", confirmed, total,
            quitting   ? ", the program is closing"
            : cutShort ? ", cut short: the unit went away"
                       : "");

    if (quitting) {
        qWarning("The program is closing; %d of %d values of the file were written", confirmed,
                 total);
        return;
    }
    if (cutShort) {
        qWarning("The unit went away while a file was written: %d of %d values written", confirmed,
                 total);
        // With nothing confirmed there is no mix to warn of.
        QString message = confirmed == 0 ? text(TextCutShortNoneWritten).arg(total)
                                         : text(TextCutShort).arg(confirmed).arg(total);
        if (!failed.isEmpty())
            message += QStringLiteral("\n\n") + text(TextNotConfirmed).arg(failed.join('\n'));
        QMessageBox::critical(m_window, text(TextEndTitle), message, QMessageBox::Ok);
    } else if (!failed.isEmpty()) {
        qWarning("%d of %d values of the file were not confirmed by the unit", int(failed.size()),
                 total);
        QMessageBox::warning(
                m_window, text(TextEndTitle),
                text(TextSomeFailed).arg(confirmed).arg(total).arg(failed.join(QLatin1Char('\n'))),
                QMessageBox::Ok);
    } else {
        QMessageBox::information(m_window, text(TextEndTitle), text(TextAllWritten).arg(total),
                                 QMessageBox::Ok);
    }
}
