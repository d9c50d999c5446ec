#include "runtime/filecheck.h"

#include "runtime/error.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace rt::filecheck {

namespace {

// What the path names once every symbolic link on the way to it is followed. A chain longer
// than Linux follows is taken for a loop, as the system would take it.
QString followLinks(const QString& path)
{
    constexpr int kMostLinks = 40;
    QString at = path;
    for (int i = 0; i < kMostLinks; ++i) {
        const QFileInfo info(at);
        if (!info.isSymLink())
            return at;
        at = info.symLinkTarget();
    }
    raise(ErrorCode::LinkLoop, QDir::toNativeSeparators(path));
}

} // namespace

QString named(const QString& path, const QString& target)
{
    const QString given = QDir::toNativeSeparators(path);
    return target == path ? given
                          : u"%1（链接到 %2）"_s.arg(given, QDir::toNativeSeparators(target));
}

QFileInfo regularFile(const QString& path, bool mayBeMissing)
{
    const QFileInfo info(followLinks(path));
    if (!info.exists()) {
        if (!info.dir().exists())
            raise(ErrorCode::PathNotFound, named(path, info.filePath()));
        if (!mayBeMissing)
            raise(ErrorCode::FileNotFound, named(path, info.filePath()));
    } else if (!info.isFile()) {
        raise(ErrorCode::NotAFile, named(path, info.filePath()));
    }
    return info;
}

void raiseFault(const FileFault& fault, const QString& name)
{
    raise(fault.code, fault.inUse ? name + u"：另一个程序正在使用此文件"_s : name);
}

} // namespace rt::filecheck
