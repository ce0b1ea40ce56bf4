#include "resourcemanager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QPointer>
#include <QTextStream>
#include <QXmlStreamReader>

namespace {

QPointer<ResourceManager> s_instance;

} // namespace

ResourceManager::ResourceManager(const QString& path)
    : m_strings(new QHash<int, QString>)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;

    // Reading a bounded amount keeps a runaway file from exhausting memory; a cut
    // document behaves like one that breaks off, which the loop below handles anyway.
    const QByteArray bytes = file.read(MaxFileSize);
    if (!file.atEnd())
        qWarning() << "strings file" << path << "is larger than" << MaxFileSize
                   << "bytes; the rest is ignored";

    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() != QLatin1String("item"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (!attributes.hasAttribute(QLatin1String("key")))
            continue;
        const int id = attributes.value(QLatin1String("key")).toInt();

        // The text is the item's first run of character data; an empty item, or one that
        // opens with a child element or a comment, holds no text.
        if (xml.readNext() == QXmlStreamReader::Characters)
            m_strings->insert(id, xml.text().toString());
    }
    if (xml.hasError())
        qWarning() << "strings file" << path << "is broken at line" << xml.lineNumber() << ":"
                   << xml.errorString();
}

ResourceManager::~ResourceManager()
{
    delete m_strings;
}

ResourceManager* ResourceManager::instance(const QString& path)
{
    if (!s_instance) {
        s_instance = new ResourceManager(path);
        s_instance->setParent(QCoreApplication::instance());
    }
    return s_instance;
}

QString ResourceManager::getValue(int id) const
{
    return m_strings->value(id);
}

QString qLoadHtmlString(const QString& path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return QString();

    QByteArray bytes = file.read(HxMaxHtmlFileSize);
    if (!file.atEnd())
        qWarning() << "file" << path << "is larger than" << HxMaxHtmlFileSize
                   << "bytes; the rest is ignored";

    // The stream decodes with the platform's 8-bit encoding unless the text starts with
    // a byte-order mark.
    QTextStream in(&bytes, QIODevice::ReadOnly);
    return in.readAll();
}
