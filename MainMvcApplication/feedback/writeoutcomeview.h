#ifndef WRITEOUTCOMEVIEW_H
#define WRITEOUTCOMEVIEW_H

#include "writeoutcometracker.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class AdaptorModel;
class LineEditAlert;
class QWidget;
class ResourceManager;
class StatusLine;

// Shows how each edit ended: a short line in the status area naming the setting as the
// window labels it and the value, and for a write the unit did not confirm a bubble on the
// widget that caused it, which stays until a read after the failure brought the unit's
// value back (and at least a few seconds, so that it can be read).
class WriteOutcomeView : public QObject
{
    Q_OBJECT
public:
    WriteOutcomeView(AdaptorModel* adaptors, StatusLine* status, ResourceManager* resources,
                     QObject* parent = nullptr);
    ~WriteOutcomeView() override;

    // The widget that caused the next outcome of windowAddress when no field adaptor shows
    // that address (the default buttons, set centre).
    void setSource(int windowAddress, QWidget* widget);
    // Remembers how the window shows an edit now, for its outcome later (the widget may
    // show another value by then).
    void noteEdit(int windowAddress, int value);
    // The widget an outcome of windowAddress is shown on.
    QWidget* widgetFor(int windowAddress) const;
    // What the window calls the setting: the caption over or beside its widget, else the
    // widget's tooltip.
    QString settingName(int windowAddress) const;
    // The failure bubble of windowAddress while it is shown, else null.
    LineEditAlert* failureMark(int windowAddress) const;
    // Least time a failure bubble stays, so that it can be read (4 s).
    void setMinFailureMs(int ms) { m_minFailureMs = ms; }

public slots:
    void show(int windowAddress, int value, WriteOutcomeTracker::Outcome outcome);
    // A value of the unit's address arrived from a read.
    void valueRead(int unitAddress);

private:
    struct Mark
    {
        QPointer<LineEditAlert> bubble;
        QElapsedTimer since;
        bool readSeen = false;
    };

    QString text(int id) const;
    QString shownValue(int windowAddress, int value) const;
    void markFailed(int windowAddress, const QString& message);
    void clearMark(int windowAddress);

    AdaptorModel* m_adaptors;
    StatusLine* m_status;
    ResourceManager* m_resources;
    QHash<int, QPointer<QWidget>> m_sources;
    QHash<int, Mark> m_marks;
    QHash<QPair<int, int>, QString> m_shown;
    int m_minFailureMs = 4000;
};

#endif // WRITEOUTCOMEVIEW_H
