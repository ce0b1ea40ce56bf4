#ifndef EDITFEEDBACK_H
#define EDITFEEDBACK_H

#include "writeoutcometracker.h"

#include <QObject>
#include <QString>
#include <QVariant>

class AdaptorModel;
class LineEditRangeAlert;
class OfflineBanner;
class ResourceManager;
class SerialManager;
class StatusLine;
class WriteOutcomeView;

namespace Ui {
class MainWidget;
}

// What the window tells the pilot about edits and the link, so that no edit ends
// silently: how each write ended (status line, failure bubble on the widget), that edits
// made while no unit is connected stay in the window, why no unit is connected, and which
// range a line edit accepts. The controller reports the edits it sends or keeps and the
// values the unit answers with (it parses each answer once); the rest comes from the link's
// signals.
class EditFeedback : public QObject
{
    Q_OBJECT
public:
    EditFeedback(Ui::MainWidget* ui, AdaptorModel* adaptors, SerialManager* link,
                 ResourceManager* resources, QObject* parent = nullptr);
    ~EditFeedback() override;

    // An edit of windowAddress went to the link as a write of value to unitAddress.
    // source: the object that caused it, when it is a button of the window.
    void editSent(int windowAddress, int unitAddress, int value, QObject* source);
    // An edit kept in the window because no unit is connected.
    void editKeptOffline(int windowAddress, int value, QObject* source);
    // The unit answered a read of unitAddress (whether or not the window took the value).
    void valueRead(int unitAddress);

    // The text for a SerialManager::LinkProblem on a port.
    QString problemText(int problem, const QString& port) const;

    StatusLine* statusLine() const { return m_status; }
    OfflineBanner* offlineBanner() const { return m_banner; }
    WriteOutcomeView* outcomeView() const { return m_view; }

private:
    void noteSource(int windowAddress, QObject* source);
    // How the trace names a setting: its caption, its widget and its address.
    QString traceName(int windowAddress) const;
    void portStatusChanged(int status);
    void linkProblemChanged(int problem, const QString& port);
    void showReason();
    QString text(int id) const;

    Ui::MainWidget* m_ui;
    ResourceManager* m_resources;
    StatusLine* m_status;
    OfflineBanner* m_banner;
    WriteOutcomeTracker* m_tracker;
    WriteOutcomeView* m_view;
    LineEditRangeAlert* m_rangeAlert;
    bool m_connected = false;
    int m_problem = -1;
    QString m_problemPort;
};

#endif // EDITFEEDBACK_H
