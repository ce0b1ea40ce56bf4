#include "firmwaredialog.h"

#include "ui_firmwaredialog.h"

FirmwareDialog::FirmwareDialog(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::FirmwareDialog)
{
    m_ui->setupUi(this);
    // The unit does not report the newest firmware, so that row stays out of sight.
    m_ui->label_12->hide();
    m_ui->lbLatestFirmware->hide();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}

FirmwareDialog::~FirmwareDialog()
{
    delete m_ui;
}

void FirmwareDialog::setSerialNumber(const QString& text)
{
    m_ui->lbSerialNumber->setText(text);
}

void FirmwareDialog::setHardwareVersion(const QString& text)
{
    m_ui->lbHardwareVersion->setText(text);
}

void FirmwareDialog::setFirmwareVersion(const QString& text)
{
    m_ui->lbFirmwareVersion->setText(text);
}

void FirmwareDialog::on_btnFirmware_clicked()
{
    done(1);
}

void FirmwareDialog::on_btnClose_clicked()
{
    done(0);
}

void FirmwareDialog::on_btnCancel_clicked()
{
    done(0);
}
