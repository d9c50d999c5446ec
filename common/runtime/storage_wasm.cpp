#include "runtime/storage.h"

#include <QDir>

#include <emscripten.h>

namespace rt {

// The page mounts the browser's storage at the home folder for a program that keeps files.
QString programFolder()
{
    return QDir::homePath();
}

void storeFolder()
{
    EM_ASM(FS.syncfs(false, function(){}););
}

} // namespace rt
