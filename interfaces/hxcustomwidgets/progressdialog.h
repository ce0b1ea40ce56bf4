#ifndef PROGRESSDIALOG_H
#define PROGRESSDIALOG_H

#include "hxcustomwidgets_global.h"

#include <QWidget>

// A small overlay over its parent window with a text and either a busy animation or
// a progress bar.
class HXCUSTOMWIDGETS_EXPORT ProgressDialog : public QWidget
{
    Q_OBJECT
public:
    enum Type { Busy = 0, Progress = 1 };
    Q_ENUM(Type)

    explicit ProgressDialog(QWidget* parent = nullptr);
    ~ProgressDialog() override;

    void setContent(const QString& text);
    QString content() const;
    // 0: busy (indeterminate animation); 1: progress bar. Other values are ignored.
    void changeState(int state);
    int state() const;
    // Shown as given, also beyond 0..100 (the bar itself clamps what it draws).
    void setProgressBarValue(int value);
    int progressBarValue() const;
};

#endif // PROGRESSDIALOG_H
