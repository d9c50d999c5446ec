#include "runtime/storage.h"

#include "runtime/appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace rt {

QString programFolder()
{
    if (!QCoreApplication::instance())
        return QDir::currentPath();
    QString path = QCoreApplication::applicationDirPath();
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return workingFolder(path,
                         QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

void storeFile(const QString&) {}

} // namespace rt
