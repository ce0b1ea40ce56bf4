#ifndef APPCONFIGMANAGER_P_H
#define APPCONFIGMANAGER_P_H

//
//  W A R N I N G
//  -------------
// This file is not part of the hxio API. It may change from version to version.
//

#include <QHash>
#include <QString>

class AppConfigManagerPrivate
{
public:
    QHash<QString, QString> settings;
    QString filePath;
};

#endif // APPCONFIGMANAGER_P_H
