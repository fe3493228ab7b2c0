#include "util/app_data.h"

#include <QStandardPaths>

QString appDataFolder()
{
    const QString overridden = QString::fromLocal8Bit(qgetenv("TALVORIN_DATA_DIR"));
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
