#ifndef TESTS_MAINMVCAPPLICATION_WIDGETCHANGECOUNTER_H
#define TESTS_MAINMVCAPPLICATION_WIDGETCHANGECOUNTER_H

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QWidget>

// Counts what each watched widget goes through: being shown or hidden, being restyled, a
// new font. Each costs a layout, a polish or a repaint, and the unit's answers arrive many
// times a second.
class WidgetChangeCounter : public QObject
{
public:
    void watch(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            ++shown[watched];
            break;
        case QEvent::StyleChange:
        case QEvent::PaletteChange: // a re-polish under the window's style sheets
            ++styled[watched];
            break;
        case QEvent::FontChange:
            ++fonts[watched];
            break;
        default:
            break;
        }
        return false;
    }
    // The names of the widgets shown or hidden.
    QStringList shownNames() const
    {
        QStringList names;
        for (auto it = shown.cbegin(); it != shown.cend(); ++it)
            names << it.key()->objectName();
        return names;
    }

    QHash<QObject*, int> shown;
    QHash<QObject*, int> styled;
    QHash<QObject*, int> fonts;
};

#endif // TESTS_MAINMVCAPPLICATION_WIDGETCHANGECOUNTER_H
