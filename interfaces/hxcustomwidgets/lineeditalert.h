#ifndef LINEEDITALERT_H
#define LINEEDITALERT_H

#include "hxcustomwidgets_global.h"

#include <QLabel>

class QGraphicsOpacityEffect;
class QPropertyAnimation;

// A small speech bubble that tells the user to press Return to send a typed value.
class HXCUSTOMWIDGETS_EXPORT LineEditAlert : public QLabel
{
    Q_OBJECT
public:
    explicit LineEditAlert(QWidget* parent = nullptr);
    ~LineEditAlert() override;

    // True from showMe() until hideMe(), also while a fade is still running.
    bool isShowing() const;
    // The current opacity of the bubble (0 hidden .. 1 fully shown).
    qreal opacity() const;

    QSize sizeHint() const override;

public slots:
    // Fades in (and raises) the bubble; calling it while shown keeps it shown.
    void showMe();
    // Fades out and hides the bubble; harmless when already hidden.
    void hideMe();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fadeTo(qreal opacity);

    QGraphicsOpacityEffect* m_effect = nullptr;
    QPropertyAnimation* m_fade = nullptr;
    bool m_showing = false;
};

#endif // LINEEDITALERT_H
