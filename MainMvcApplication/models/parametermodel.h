#ifndef PARAMETERMODEL_H
#define PARAMETERMODEL_H

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

struct Parameter;

// The program's store of the last known raw value of every configurable parameter,
// keyed by address. It announces nothing: the controller pushes changed values to the
// widgets through the adaptor model itself.
class ParameterModel : public QObject
{
    Q_OBJECT

public:
    explicit ParameterModel(QObject* parent = nullptr);
    ~ParameterModel() override;

    // 0 for an address without a record.
    int value(int addr) const;
    int count() const;
    // The records stay owned by the model; the list must not outlive it.
    QList<Parameter*> parameters() const;

    // Writes the current values of the listed addresses that have a record, once each and
    // in ascending order. Returns the parameter-file writer's result: 0 when written, -1
    // when the file could not be written.
    int saveToFile(const QString& path, const int* addresses, int n) const;
    // Adds the file's pairs to *out without touching the records; 0 means success.
    int loadFromFile(const QString& path, QMap<int, int>* out) const;

public slots:
    // Takes ownership of param and replaces (deletes) any record held for addr.
    void insertParameter(int addr, Parameter* param);
    // Does nothing for an address without a record.
    void setParamValue(int addr, int val);

private:
    QHash<int, Parameter*> m_parameters;
};

#endif // PARAMETERMODEL_H
