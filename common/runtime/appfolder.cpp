#include "runtime/appfolder.h"

#include "runtime/host.h"

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

} // namespace rt
