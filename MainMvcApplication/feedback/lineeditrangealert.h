#ifndef LINEEDITRANGEALERT_H
#define LINEEDITRANGEALERT_H

#include <QObject>
#include <QString>

class LineEditAlert;
class QLineEdit;

// Makes the window's input bubble tell the accepted range while the text typed into a
// line edit is not acceptable, and makes a Return on such text visible: a line edit does
// not send it (its validator holds it back), and the bubble says so with the range.
class LineEditRangeAlert : public QObject
{
    Q_OBJECT
public:
    // pressEnterText: what the bubble says while the text is acceptable; rangeText and
    // refusedText take the lowest and highest accepted value as %1 and %2.
    LineEditRangeAlert(LineEditAlert* alert, const QString& pressEnterText,
                       const QString& rangeText, const QString& refusedText,
                       QObject* parent = nullptr);
    ~LineEditRangeAlert() override;

    // Follows the edit if it has an integer or decimal validator.
    void watch(QLineEdit* edit);
    // "lowest to highest" of the edit's validator in the bubble's words, or empty.
    QString rangeOf(const QLineEdit* edit, const QString& pattern) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textEdited();
    void showAt(QLineEdit* edit, const QString& text);

    LineEditAlert* m_alert;
    QString m_pressEnter;
    QString m_range;
    QString m_refused;
};

#endif // LINEEDITRANGEALERT_H
