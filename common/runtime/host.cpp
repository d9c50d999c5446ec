#include "runtime/host.h"

#include "runtime/appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

namespace rt {

Host::~Host() = default;

int Host::msgBox(const QString& prompt, int buttons, const QString& title)
{
    // Without a window system there is nobody to ask: say it and take the first button.
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(prompt));
    return buttons == 4 ? 6 : 1;
}

void Host::end()
{
    std::exit(0);
}

QString Host::appPath()
{
#ifdef Q_OS_WASM
    // In the browser the program's folder is one the browser keeps (the page mounts it).
    return QDir::homePath();
#else
    if (!QCoreApplication::instance())
        return QDir::currentPath();
    QString path = QCoreApplication::applicationDirPath();
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return workingFolder(path,
                         QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}

QDateTime Host::now()
{
    return QDateTime::currentDateTime();
}

quint64 Host::randomSeed()
{
    // Two Randomize calls within the same millisecond must still differ.
    static QElapsedTimer sinceStart = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return quint64(QDateTime::currentMSecsSinceEpoch()) * 1000003u ^
           quint64(sinceStart.nsecsElapsed());
}

namespace {
Host defaultHost;
Host* current = &defaultHost;
} // namespace

Host& host()
{
    return *current;
}

Host* setHost(Host* host)
{
    Host* previous = current;
    current = host ? host : &defaultHost;
    return previous;
}

} // namespace rt
