#ifndef LINEEDITADAPTOR_H
#define LINEEDITADAPTOR_H

#include "abstractfieldadaptor.h"

#include <QString>

// A QLineEdit holding a decimal integer. Typing only marks an edit in progress (and
// makes the adaptor read-only, so device values do not overwrite the typing); Return
// commits and sends the value; leaving the edit without Return reverts the text to the
// last committed one and sends nothing.
class HXADAPTORVIEWS_EXPORT LineEditAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit LineEditAdaptor(QObject* inputField, QObject* parent = nullptr);
    ~LineEditAdaptor() override;

    // The text parsed as a base-10 integer, 0 when it does not parse.
    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    void emitValueChanged();

    // The text a pending edit reverts to: the text when the edit gained focus or at the
    // last Return, unless an owner that rewrites the text sets it.
    QString lastCommittedText() const;
    void setLastCommittedText(const QString& text);
    bool isEditing() const;

    // What a value the edit's validator refuses is shown as, instead of a number the user
    // could not have typed.
    static QString outOfRangeMark();

signals:
    void _editReturnPressed(QObject* field);
    void _editTextEdited(const QString& text);
    void _editLostFocus(QObject* field);

public slots:
    virtual void returnPressed();
    virtual void textEdited(const QString& text);

protected:
    // Shows text, or the out-of-range mark when the edit's validator would refuse it (the
    // first time logged with the raw value).
    void showText(const QString& text, qint64 raw);

private:
    QString m_lastText;
    bool m_editing = false;
    bool m_warnedOutOfRange = false;
};

#endif // LINEEDITADAPTOR_H
