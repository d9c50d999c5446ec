#include "runtime/replace.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

void syncToDisk(QFileDevice& file)
{
    ::fsync(file.handle());
}

std::optional<ErrorCode> replaceFile(const QString& from, const QString& to)
{
    // POSIX's rename replaces the target in one step.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return std::nullopt;
    switch (errno) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
        return ErrorCode::PermissionDenied;
    case ENOSPC:
#ifdef EDQUOT // a quota: not every POSIX system has one
    case EDQUOT:
#endif
        return ErrorCode::DiskFull;
    default:
        return ErrorCode::DeviceIO;
    }
}

QFileDevice::Permissions newFilePermissions()
{
    // The umask can only be read by setting it; it is put back at once.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    for (const auto& [bit, permission] :
         {std::pair{S_IRUSR, QFileDevice::ReadOwner}, std::pair{S_IWUSR, QFileDevice::WriteOwner},
          std::pair{S_IRGRP, QFileDevice::ReadGroup}, std::pair{S_IWGRP, QFileDevice::WriteGroup},
          std::pair{S_IROTH, QFileDevice::ReadOther}, std::pair{S_IWOTH, QFileDevice::WriteOther}})
        if (mode & bit)
            permissions |= permission;
    return permissions;
}

} // namespace rt
