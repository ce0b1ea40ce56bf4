#include "parametermodel.h"

#include "parameter.h"
#include "parameterfile.h"

ParameterModel::ParameterModel(QObject* parent)
    : QObject(parent)
{}

ParameterModel::~ParameterModel()
{
    qDeleteAll(m_parameters);
}

int ParameterModel::value(int addr) const
{
    const Parameter* param = m_parameters.value(addr, nullptr);
    return param ? param->value : 0;
}

int ParameterModel::count() const
{
    return m_parameters.count();
}

QList<Parameter*> ParameterModel::parameters() const
{
    return m_parameters.values();
}

int ParameterModel::saveToFile(const QString& path, const int* addresses, int n) const
{
    QMap<int, int> values;
    for (int i = 0; addresses && i < n; ++i) {
        if (const Parameter* param = m_parameters.value(addresses[i], nullptr))
            values.insert(addresses[i], param->value);
    }
    return qSaveParametersToFile(path, values);
}

int ParameterModel::loadFromFile(const QString& path, QMap<int, int>* out) const
{
    return qLoadParametersFromFile(path, out);
}

void ParameterModel::insertParameter(int addr, Parameter* param)
{
    if (!param)
        return;
    Parameter* old = m_parameters.value(addr, nullptr);
    if (old == param)
        return;
    // A record held under another address would be deleted twice; it moves instead.
    const int heldAt = m_parameters.key(param, addr);
    if (heldAt != addr)
        m_parameters.remove(heldAt);
    delete old;
    m_parameters.insert(addr, param);
}

void ParameterModel::setParamValue(int addr, int val)
{
    if (Parameter* param = m_parameters.value(addr, nullptr))
        param->value = val;
}
