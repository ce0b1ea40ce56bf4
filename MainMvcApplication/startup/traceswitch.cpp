#include "traceswitch.h"

#include "tracecategories.h"

#include <QLoggingCategory>

namespace {

struct Part
{
    const char* name;
    const char* category;
};

const Part Parts[] = {{"frames", "hx.link.frames"}, {"link", "hx.link"},
                      {"polling", "hx.polling"},    {"live", "hx.polling.live"},
                      {"writes", "hx.writes"},      {"transfer", "hx.transfer"},
                      {"startup", "hx.startup"}};

QString ruleOn(const char* category)
{
    return QStringLiteral("%1.debug=true").arg(QLatin1String(category));
}

} // namespace

QStringList TraceSwitch::parts()
{
    QStringList names;
    for (const Part& part : Parts)
        names << QLatin1String(part.name);
    return names;
}

QString TraceSwitch::rulesFor(const QString& value, QStringList* unknown)
{
    const QString wanted = value.trimmed().toLower();
    if (wanted.isEmpty() || wanted == QLatin1String("0") || wanted == QLatin1String("off"))
        return QString();
    QStringList rules;
    if (wanted == QLatin1String("1") || wanted == QLatin1String("all") ||
        wanted == QLatin1String("on")) {
        for (const Part& part : Parts) {
            if (qstrcmp(part.category, "hx.polling.live") != 0)
                rules << ruleOn(part.category);
        }
        return rules.join(QLatin1Char('\n'));
    }
    const QStringList names = wanted.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& name : names) {
        bool known = false;
        for (const Part& part : Parts) {
            if (name.trimmed() == QLatin1String(part.name)) {
                rules << ruleOn(part.category);
                known = true;
            }
        }
        if (!known && unknown)
            *unknown << name.trimmed();
    }
    return rules.join(QLatin1Char('\n'));
}

void TraceSwitch::applyFromEnvironment()
{
    const QString value = qEnvironmentVariable("HX_TRACE");
    if (value.isEmpty())
        return;
    QStringList unknown;
    const QString rules = rulesFor(value, &unknown);
    if (!unknown.isEmpty())
        qWarning("HX_TRACE: %s not known; the parts are %s",
                 qPrintable(unknown.join(QStringLiteral(", "))),
                 qPrintable(parts().join(QStringLiteral(", "))));
    if (rules.isEmpty())
        return;
    QLoggingCategory::setFilterRules(rules);
    qCDebug(lcStartup, "trace on: %s",
            qPrintable(QString(rules).replace(QLatin1Char('\n'), QStringLiteral(", "))));
}
