#ifndef LINEEDITALERT_H
#define LINEEDITALERT_H

#include "hxcustomwidgets_global.h"

#include <QLabel>

// A small speech bubble that tells the user to press Return to send a typed value.
class HXCUSTOMWIDGETS_EXPORT LineEditAlert : public QLabel
{
    Q_OBJECT
public:
    explicit LineEditAlert(QWidget* parent = nullptr);
    ~LineEditAlert() override;

public slots:
    // Fades in (and raises) the bubble; calling it while shown keeps it shown.
    void showMe();
    // Fades out and hides the bubble; harmless when already hidden.
    void hideMe();
};

#endif // LINEEDITALERT_H
