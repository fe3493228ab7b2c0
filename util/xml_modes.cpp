#include "util/xml_modes.h"

#include <QDebug>
#include <QFile>
#include <QXmlStreamReader>

QList<QVariantMap> loadOperatingModesFromXml(const QString& path)
{
    QList<QVariantMap> modes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning() << "Unable to open file:" << path;
        return modes;
    }
    QXmlStreamReader reader(&file);
    QVariantMap current;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("operating_mode")) {
            current.clear();
        } else if (reader.isStartElement() && reader.name() == QLatin1String("control")) {
            const QString name = reader.attributes().value(QLatin1String("name")).toString();
            const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            current.insert(name, text);
        } else if (reader.isEndElement() && reader.name() == QLatin1String("operating_mode")) {
            modes.append(current);
        }
    }
    if (reader.hasError())
        qWarning() << "XML Error:" << reader.errorString();
    return modes;
}
