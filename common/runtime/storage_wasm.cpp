#include "runtime/storage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <emscripten.h>

// The page's side of it (web/program.js).
EM_JS(void, storeInBrowser, (const char* path), {
    if (Module.storeFile)
        Module.storeFile(UTF8ToString(path));
});

namespace rt {

// The page mounts the browser's storage at the home folder for a program that keeps files.
QString programFolder()
{
    return QDir::homePath();
}

void storeFile(const QString& path)
{
    storeInBrowser(QFile::encodeName(QFileInfo(path).absoluteFilePath()).constData());
}

} // namespace rt
