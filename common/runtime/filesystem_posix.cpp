#include "runtime/filesystem.h"

#include "runtime/storage.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

namespace {

// What the system's error number says of a file that could not be opened or replaced.
FileFault faultOf(int error)
{
    switch (error) {
    case ENOENT:
        return {ErrorCode::FileNotFound};
    case ENOTDIR:
        return {ErrorCode::PathNotFound};
    case ELOOP:
        return {ErrorCode::LinkLoop};
    case EISDIR:
    case ENXIO:
    case ENODEV:
        return {ErrorCode::NotAFile};
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY: // a mount point: nothing another program holds, as Linux keeps no such locks
        return {ErrorCode::PermissionDenied};
    case ENOSPC:
#ifdef EDQUOT // a quota: not every POSIX system has one
    case EDQUOT:
#endif
        return {ErrorCode::DiskFull};
    default:
        return {ErrorCode::DeviceIO};
    }
}

} // namespace

std::variant<QByteArray, FileFault> readRegularFile(const QString& path, qint64 limit)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return faultOf(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } const closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return FileFault{ErrorCode::DeviceIO};
    if (!S_ISREG(st.st_mode))
        return FileFault{ErrorCode::NotAFile};

    QByteArray bytes;
    while (bytes.size() < limit) {
        char chunk[1 << 16];
        // Whole chunks, as some system files take no other reads; what is past the limit goes.
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return faultOf(errno);
        if (n == 0)
            break;
        bytes.append(chunk, n);
    }
    bytes.truncate(limit);
    return bytes;
}

void syncToDisk(QFileDevice& file)
{
    ::fsync(file.handle());
}

std::optional<FileFault> replaceFile(const QString& from, const QString& to)
{
    // POSIX's rename replaces the target in one step.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) {
        storeFile(to);
        return std::nullopt;
    }
    switch (errno) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return faultOf(errno);
    default:
        return FileFault{ErrorCode::DeviceIO};
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
