#ifndef TRANSFERTESTSUPPORT_H
#define TRANSFERTESTSUPPORT_H

// Doubles for the file, backup and restore flows: a recording link that also plays a unit
// (reads answered from its settings, writes confirmed unless told otherwise), and a helper
// that answers the restore dialog.

#include "controllertestsupport.h"
#include "restoredialog.h"

#include <QFile>
#include <QMap>
#include <QPainter>
#include <QSet>
#include <QTableWidget>

// The address=value pairs of a parameter file or backup, as written.
inline QMap<int, int> readPairs(const QString& path)
{
    QMap<int, int> pairs;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return pairs;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2)
            pairs.insert(pair.at(0).toInt(), pair.at(1).toInt());
    }
    return pairs;
}

class UnitLink : public RecordingLink
{
public:
    // What the unit holds; reads of other addresses get no answer, as from a real unit.
    QMap<int, int> unit;
    // Writes the unit never confirms.
    QSet<int> unconfirmed;

    void requestRead(const QVariant& request) override
    {
        RecordingLink::requestRead(request);
        if (!connected)
            return;
        for (const QString& entry : request.toString().split(',', Qt::SkipEmptyParts)) {
            const int address = entry.toInt();
            if (unit.contains(address))
                emit _responseToUpdateUi(
                        QVariant(QStringLiteral("%1,%2").arg(address).arg(unit.value(address))));
        }
    }
    void requestWrite(const QVariant& request) override
    {
        RecordingLink::requestWrite(request); // runs onWrite, which may unplug the unit
        const QStringList pair = request.toString().split(',');
        const int address = pair.first().toInt();
        const int value = pair.last().toInt();
        const bool confirmed = connected && !unconfirmed.contains(address);
        if (confirmed)
            unit.insert(address, value);
        emit _writeFinished(address, value, confirmed);
    }
};

// Runs `step` on the next restore dialog once it is shown; the step must close it.
inline void whenRestoreDialog(const std::function<void(RestoreDialog*)>& step)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        auto* dialog = qobject_cast<RestoreDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        step(dialog);
    });
    timer->start(5);
}

// The rows of a restore dialog: address -> "setting|unit|file".
inline QMap<int, QString> restoreRows(RestoreDialog* dialog)
{
    QMap<int, QString> rows;
    QTableWidget* table = dialog->table();
    for (int i = 0; i < table->rowCount(); ++i)
        rows.insert(table->item(i, 0)->data(Qt::UserRole).toInt(),
                    table->item(i, 0)->text() + '|' + table->item(i, 1)->text() + '|' +
                            table->item(i, 2)->text());
    return rows;
}

// With HX_SHOTS_DIR set, saves a picture of `dialog` over the window behind it as
// <HX_SHOTS_DIR>/<name>.png, so that a reviewer can look at what the pilot sees.
inline void shootIfAsked(QWidget* dialog, const QString& name)
{
    const QByteArray folder = qgetenv("HX_SHOTS_DIR");
    if (folder.isEmpty() || !dialog)
        return;
    QWidget* window = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    QApplication::processEvents();
    const QPixmap front = dialog->grab();
    QPixmap picture = window ? window->grab() : front;
    if (window) {
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), QColor(0, 0, 0, 90));
        const QPoint at((picture.width() - front.width()) / 2,
                        (picture.height() - front.height()) / 2);
        painter.drawPixmap(at, front);
    }
    picture.save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name + QStringLiteral(".png"));
}

#endif // TRANSFERTESTSUPPORT_H
