#include "firmwarehandover.h"

#include <resourcemanager.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace {

const int TitleFirmware = 4000;
const int QuestionText = 4001;
const int NotConnectedText = 5100;
const int ToolMissingText = 5101;
const int ToolNotStartedText = 5102;

} // namespace

FirmwareHandOver::FirmwareHandOver(QWidget* window, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_resources(ResourceManager::instance(QString()))
    , m_starter([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{}

QString FirmwareHandOver::toolRelativePath()
{
    return QStringLiteral("DfuSe v3.0.6/Bin/DfuSeDemo.exe");
}

QString FirmwareHandOver::toolPath() const
{
    const QString folder =
            m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
    return QDir(folder).filePath(toolRelativePath());
}

QString FirmwareHandOver::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

FirmwareHandOver::Outcome FirmwareHandOver::run(const std::function<bool()>& unitConnected,
                                                const std::function<void()>& enterBootloader)
{
    if (!unitConnected()) {
        QMessageBox::warning(m_window, text(TitleFirmware), text(NotConnectedText),
                             QMessageBox::Ok);
        return NotConnected;
    }
    const QString tool = toolPath();
    const QString shownTool = QDir::toNativeSeparators(tool);
    if (!QFileInfo(tool).isFile()) {
        qWarning("Firmware update: the flashing tool is not at %s; nothing sent to the unit",
                 qPrintable(shownTool));
        QMessageBox::warning(m_window, text(TitleFirmware), text(ToolMissingText).arg(shownTool),
                             QMessageBox::Ok);
        return ToolMissing;
    }
    const auto answer =
            QMessageBox::question(m_window, text(TitleFirmware), text(QuestionText),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes)
        return Declined;
    // The question may have stood open for a while; the unit may be gone by now.
    if (!unitConnected()) {
        QMessageBox::warning(m_window, text(TitleFirmware), text(NotConnectedText),
                             QMessageBox::Ok);
        return NotConnected;
    }

    enterBootloader();
    // fromLocalFile gives "file:///C:/..." on Windows as well as a valid URL where the
    // path itself starts with "/".
    if (m_starter(QUrl::fromLocalFile(tool)))
        return ToolStarted;

    qWarning("Firmware update: the unit was switched to its bootloader but the flashing tool "
             "%s did not start",
             qPrintable(shownTool));
    QMessageBox::critical(m_window, text(TitleFirmware), text(ToolNotStartedText).arg(shownTool),
                          QMessageBox::Ok);
    return ToolNotStarted;
}
