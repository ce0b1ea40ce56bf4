#ifndef FIRMWAREDIALOG_H
#define FIRMWAREDIALOG_H

#include <QDialog>
#include <QString>

namespace Ui {
class FirmwareDialog;
}

// Shows the connected unit's serial number, hardware and firmware versions and offers
// a firmware update. The controller fills the values as the unit answers; exec()
// returns 1 only when the user chose "Update firmware".
class FirmwareDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FirmwareDialog(QWidget* parent = nullptr);
    ~FirmwareDialog() override;

    void setSerialNumber(const QString& text);
    void setHardwareVersion(const QString& text);
    void setFirmwareVersion(const QString& text);

private slots:
    void on_btnFirmware_clicked();
    void on_btnClose_clicked();
    void on_btnCancel_clicked();

private:
    Ui::FirmwareDialog* m_ui;
};

#endif // FIRMWAREDIALOG_H
