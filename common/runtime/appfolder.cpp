#include "runtime/appfolder.h"

#include "runtime/host.h"

#include <QDir>
#include <QFileInfo>

namespace rt {

QString App::Path()
{
    return host().appPath();
}

QString App::File(const QString& name)
{
    // Paths keep "/" inside the program on every system; messages show the system's own form.
    return Path() + u'/' + name;
}

QString workingFolder(const QString& programFolder, const QString& program, const QString& dataHome)
{
    // The build says where an install puts the programs' files, as seen from the programs
    // (../share/<project> on Unix; nothing on Windows, where they go beside the programs).
    const QString installedFiles = QStringLiteral(INSTALLED_FILES);
    if (installedFiles.isEmpty() || dataHome.isEmpty())
        return programFolder;
    const QString installed =
        QDir::cleanPath(programFolder + u'/' + installedFiles + u'/' + program);
    if (!QFileInfo(installed).isDir())
        return programFolder;
    QString own =
        QDir::cleanPath(dataHome + u'/' + QStringLiteral(PROJECT_FOLDER) + u'/' + program);
    if (QFileInfo::exists(own) || !QDir().mkpath(own))
        return own; // made before: what the user keeps there is theirs
    // A first start: the installed files (the sample records) are copied in. A file that cannot
    // be copied is missing there, which the program says when it reads it.
    const QDir from(installed);
    for (const QString& name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), own + u'/' + name);
    return own;
}

} // namespace rt
