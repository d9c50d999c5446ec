#include "runtime/host.h"

#include "runtime/storage.h"

#include <QElapsedTimer>
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
    return programFolder();
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
