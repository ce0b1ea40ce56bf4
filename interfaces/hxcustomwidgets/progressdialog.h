#ifndef PROGRESSDIALOG_H
#define PROGRESSDIALOG_H

#include "hxcustomwidgets_global.h"

#include <QPointer>
#include <QWidget>

class QVariantAnimation;

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

    // True while the busy animation runs (busy state and visible).
    bool isAnimating() const;

    void setVisible(bool visible) override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void centreOverParent();
    void updateAnimation();

    QString m_content;
    int m_state = Busy;
    int m_value = 0;
    QVariantAnimation* m_spin = nullptr;
    QPointer<QWidget> m_watchedParent;
};

#endif // PROGRESSDIALOG_H
