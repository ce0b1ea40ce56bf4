#include "traceswitch.h"

#include "tracecategories.h"

#include <QLoggingCategory>

#include <algorithm>
#include <iterator>

namespace {

struct Part
{
    const char* name;
    const char* category;
    bool inAll; // the live values would fill the log within minutes
};

const Part Parts[] = {{"frames", "hx.link.frames", true}, {"link", "hx.link", true},
                      {"polling", "hx.polling", true},    {"live", "hx.polling.live", false},
                      {"writes", "hx.writes", true},      {"transfer", "hx.transfer", true},
                      {"startup", "hx.startup", true}};

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
            if (part.inAll)
                rules << ruleOn(part.category);
        }
        return rules.join(QLatin1Char('\n'));
    }
    const QStringList names = wanted.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& entry : names) {
        const QString name = entry.trimmed();
        const auto part = std::find_if(std::begin(Parts), std::end(Parts), [&](const Part& p) {
            return name == QLatin1String(p.name);
        });
        if (part != std::end(Parts))
            rules << ruleOn(part->category);
        else if (unknown)
            *unknown << name;
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
