#include "runtime/replace.h"

#include <QDir>
#include <io.h>
#include <windows.h>

namespace rt {

void syncToDisk(QFileDevice& file)
{
    ::_commit(file.handle());
}

std::optional<ErrorCode> replaceFile(const QString& from, const QString& to)
{
    const std::wstring source = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring target = QDir::toNativeSeparators(to).toStdWString();
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return std::nullopt;
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED: // also a read-only target, which Windows will not replace
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return ErrorCode::PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ErrorCode::DiskFull;
    default:
        return ErrorCode::DeviceIO;
    }
}

QFileDevice::Permissions newFilePermissions()
{
    // Windows keeps only a read-only mark, which a new file does not carry.
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
           QFileDevice::ReadOther;
}

} // namespace rt
