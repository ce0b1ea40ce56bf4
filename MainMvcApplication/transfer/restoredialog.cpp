#include "restoredialog.h"

#include <resourcemanager.h>

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const int TextTitle = 5202;
const int TextSummary = 5203;
const int TextColumnSetting = 5204;
const int TextColumnUnit = 5205;
const int TextColumnFile = 5206;
const int TextNotWritten = 5207;
const int TextWrite = 5212;
const int TextWillBeWritten = 5220;

enum Column { ColumnSetting = 0, ColumnUnit = 1, ColumnFile = 2 };
} // namespace

RestoreDialog::RestoreDialog(ResourceManager* resources, const QString& fileName, int fileValues,
                             const QList<Row>& rows, const QStringList& notWritten, QWidget* parent)
    : QDialog(parent)
    , m_resources(resources)
    , m_rows(rows)
{
    setObjectName(QStringLiteral("restoreDialog"));
    setWindowTitle(text(TextTitle));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(
            text(TextSummary)
                    .arg(fileName, QString::number(rows.size()), QString::number(fileValues)),
            this);
    summary->setWordWrap(true);
    summary->setTextFormat(Qt::PlainText);
    layout->addWidget(summary);

    m_table = new QTableWidget(rows.size(), 3, this);
    m_table->setObjectName(QStringLiteral("restoreRows"));
    m_table->setHorizontalHeaderLabels(
            {text(TextColumnSetting), text(TextColumnUnit), text(TextColumnFile)});
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(ColumnSetting, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(ColumnUnit, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(ColumnFile, QHeaderView::ResizeToContents);
    for (int i = 0; i < rows.size(); ++i) {
        auto* name = new QTableWidgetItem(rows.at(i).name);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        name->setCheckState(Qt::Checked);
        name->setData(Qt::UserRole, rows.at(i).address);
        name->setToolTip(QString::number(rows.at(i).address));
        m_table->setItem(i, ColumnSetting, name);
        for (int column : {ColumnUnit, ColumnFile}) {
            auto* value = new QTableWidgetItem(column == ColumnUnit ? rows.at(i).unitValue
                                                                    : rows.at(i).fileValue);
            value->setFlags(Qt::ItemIsEnabled);
            value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(i, column, value);
        }
    }
    m_table->setVisible(!rows.isEmpty());
    connect(m_table, &QTableWidget::itemChanged, this, [this] { updateCount(); });
    layout->addWidget(m_table, 1);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("restoreCount"));
    layout->addWidget(m_count);

    if (!notWritten.isEmpty()) {
        auto* heading = new QLabel(text(TextNotWritten).arg(notWritten.size()), this);
        heading->setTextFormat(Qt::PlainText);
        layout->addWidget(heading);
        m_notWritten = new QPlainTextEdit(notWritten.join(QLatin1Char('\n')), this);
        m_notWritten->setObjectName(QStringLiteral("restoreNotWritten"));
        m_notWritten->setReadOnly(true);
        m_notWritten->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_notWritten->setMaximumHeight(120);
        layout->addWidget(m_notWritten);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_write = buttons->addButton(text(TextWrite), QDialogButtonBox::AcceptRole);
    m_write->setObjectName(QStringLiteral("restoreWrite"));
    // Writing changes the helicopter's setup: Return alone must not start it.
    m_write->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Cancel)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    updateCount();
    resize(640, rows.isEmpty() ? 260 : 520);
}

QString RestoreDialog::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

QList<int> RestoreDialog::checkedAddresses() const
{
    QList<int> addresses;
    for (int i = 0; i < m_table->rowCount(); ++i) {
        const QTableWidgetItem* item = m_table->item(i, ColumnSetting);
        if (item && item->checkState() == Qt::Checked)
            addresses << item->data(Qt::UserRole).toInt();
    }
    return addresses;
}

void RestoreDialog::setChecked(int address, bool checked)
{
    for (int i = 0; i < m_table->rowCount(); ++i) {
        QTableWidgetItem* item = m_table->item(i, ColumnSetting);
        if (item && item->data(Qt::UserRole).toInt() == address)
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void RestoreDialog::updateCount()
{
    const int checked = checkedAddresses().size();
    m_count->setText(text(TextWillBeWritten).arg(checked));
    m_write->setEnabled(checked > 0);
}
