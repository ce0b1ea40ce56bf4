#ifndef FIRMWAREHANDOVER_H
#define FIRMWAREHANDOVER_H

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;
class ResourceManager;

// Hands a firmware update over to the outside flashing tool, once the pilot has chosen
// "Update firmware" in the device information dialog.
//
// The unit is only switched into its bootloader (9999 written to address 2) when it is
// connected and the flashing tool is where the program expects it: beside the program
// itself, never in whatever folder the program happened to be started from. Every way
// out is shown to the pilot, and a tool that fails to start after the switch leaves the
// program running with instructions, since the unit then waits in its bootloader.
class FirmwareHandOver : public QObject
{
    Q_OBJECT
public:
    enum Outcome {
        NotConnected,  // nothing sent: no unit
        ToolMissing,   // nothing sent: the tool is not installed where expected
        Declined,      // nothing sent: the pilot answered No
        ToolStarted,   // unit in its bootloader, tool started: the program may end
        ToolNotStarted // unit in its bootloader, tool did not start: told what to do
    };
    Q_ENUM(Outcome)

    explicit FirmwareHandOver(QWidget* window, QObject* parent = nullptr);

    // The tool's place under the program's folder.
    static QString toolRelativePath();
    // The folder the tool is looked for under; empty (the default) is the program's own
    // folder (QCoreApplication::applicationDirPath()).
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    QString toolPath() const;

    // How the tool is started; the default hands its URL to the desktop services.
    void setToolStarter(std::function<bool(const QUrl&)> starter)
    {
        m_starter = std::move(starter);
    }

    // Runs the hand-over. `unitConnected` is asked before anything is sent;
    // `enterBootloader` sends the switch (the caller's usual write path).
    Outcome run(const std::function<bool()>& unitConnected,
                const std::function<void()>& enterBootloader);

private:
    QString text(int id) const;

    QWidget* m_window;
    ResourceManager* m_resources;
    QString m_programFolder;
    std::function<bool(const QUrl&)> m_starter;
};

#endif // FIRMWAREHANDOVER_H
