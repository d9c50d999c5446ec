#include "runtime/filesystem.h"

#include <QDir>
#include <io.h>
#include <windows.h>

namespace rt {

namespace {

std::wstring nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// What the system's last error says of a file that could not be opened, read or replaced.
FileFault faultOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return {ErrorCode::FileNotFound};
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return {ErrorCode::PathNotFound};
    case ERROR_CANT_RESOLVE_FILENAME: // links that lead round
        return {ErrorCode::LinkLoop};
    case ERROR_ACCESS_DENIED: // also a read-only file, which Windows will not replace
    case ERROR_WRITE_PROTECT:
        return {ErrorCode::PermissionDenied};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return {ErrorCode::PermissionDenied, true};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {ErrorCode::DiskFull};
    default:
        return {ErrorCode::DeviceIO};
    }
}

} // namespace

std::variant<QByteArray, FileFault> readRegularFile(const QString& path, qint64 limit)
{
    const std::wstring name = nativePath(path);
    // Others may go on reading and writing it meanwhile, as with the toolkit's own files.
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder cannot be opened as a file at all.
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return FileFault{ErrorCode::NotAFile};
        return faultOf(error);
    }
    struct Closer {
        HANDLE file;
        ~Closer() { CloseHandle(file); }
    } const closer{file};
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileFault{ErrorCode::NotAFile};

    QByteArray bytes;
    while (bytes.size() < limit) {
        char chunk[1 << 16];
        DWORD n = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &n, nullptr))
            return faultOf(GetLastError());
        if (n == 0)
            break;
        bytes.append(chunk, qsizetype(n));
    }
    bytes.truncate(limit);
    return bytes;
}

void syncToDisk(QFileDevice& file)
{
    ::_commit(file.handle());
}

std::optional<FileFault> replaceFile(const QString& from, const QString& to)
{
    const std::wstring target = nativePath(to);
    if (MoveFileExW(nativePath(from).c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return std::nullopt;
    DWORD error = GetLastError();
    // A file that another program holds open is refused as if access were denied; asking to
    // delete it tells the two apart.
    if (error == ERROR_ACCESS_DENIED) {
        const HANDLE held = CreateFileW(target.c_str(), DELETE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION)
            error = ERROR_SHARING_VIOLATION;
        else if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
    }
    const FileFault fault = faultOf(error);
    switch (fault.code) {
    case ErrorCode::PermissionDenied:
    case ErrorCode::DiskFull:
        return fault;
    default:
        return FileFault{ErrorCode::DeviceIO};
    }
}

QFileDevice::Permissions newFilePermissions()
{
    // Windows keeps only a read-only mark, which a new file does not carry.
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
           QFileDevice::ReadOther;
}

} // namespace rt
