#include "languagelist.h"

const QVector<LanguageList::Language>& LanguageList::all()
{
    static const QVector<Language> languages = {
            {QStringLiteral("en"), QStringLiteral("English"), true},
            {QStringLiteral("fr"), QStringLiteral("Fran\u00e7ais"), false},
            {QStringLiteral("vi"), QStringLiteral("Ti\u1ebfng Vi\u1ec7t"), true}};
    return languages;
}

QString LanguageList::nameOf(const QString& code)
{
    for (const Language& language : all()) {
        if (language.code == code)
            return language.name;
    }
    return all().first().name;
}

QString LanguageList::runningLanguage(const QString& stored)
{
    for (const Language& language : all()) {
        if (language.code == stored)
            return language.code;
    }
    return all().first().code;
}

QString LanguageList::stringFile(const QString& code)
{
    return QStringLiteral("docs/%1/strings.xml").arg(runningLanguage(code));
}
