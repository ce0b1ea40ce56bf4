#ifndef RESTOREDIALOG_H
#define RESTOREDIALOG_H

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class ResourceManager;

// The last look before a file's values are written to the unit: one row per setting whose
// value in the file differs from the unit's (name, unit value, file value, a check box),
// and apart from them the lines that will not be written, each with its reason. "Write"
// accepts the dialog; only the checked rows are to be written.
class RestoreDialog : public QDialog
{
    Q_OBJECT
public:
    struct Row
    {
        int address;
        QString name;
        QString unitValue;
        QString fileValue;
    };

    // `fileValues` is how many values of the file may be written (differing or not).
    RestoreDialog(ResourceManager* resources, const QString& fileName, int fileValues,
                  const QList<Row>& rows, const QStringList& notWritten, QWidget* parent = nullptr);

    QList<int> checkedAddresses() const;
    void setChecked(int address, bool checked);

    QTableWidget* table() const { return m_table; }
    QPushButton* writeButton() const { return m_write; }
    QPlainTextEdit* notWrittenList() const { return m_notWritten; }

private:
    QString text(int id) const;
    void updateCount();

    ResourceManager* m_resources;
    QList<Row> m_rows;
    QLabel* m_count = nullptr;
    QTableWidget* m_table = nullptr;
    QPlainTextEdit* m_notWritten = nullptr;
    QPushButton* m_write = nullptr;
};

#endif // RESTOREDIALOG_H
