#ifndef LANGUAGELIST_H
#define LANGUAGELIST_H

#include <QString>
#include <QVector>

// The languages the program speaks: the string table each one loads at start-up, the name
// the menus show for it, and whether the window's own language box offers it from the start
// (the box the controller stores at exit has no French entry until the language menu adds
// it). English is the first and the fallback.
class LanguageList
{
public:
    struct Language
    {
        QString code;
        QString name; // in its own language, so everybody finds theirs
        bool inWindowBox;
    };

    static const QVector<Language>& all();
    // The name of the language with that code; English's for an unknown code.
    static QString nameOf(const QString& code);
    // The language a stored "lang" value starts the program in: exactly the code of a
    // language (case matters), anything else is English.
    static QString runningLanguage(const QString& stored);
    // The string table of that language, relative to the program's data folder.
    static QString stringFile(const QString& code);
};

#endif // LANGUAGELIST_H
