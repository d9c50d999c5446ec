#include "runtime/outputfile.h"

#include "runtime/codepage.h"
#include "runtime/filecheck.h"
#include "runtime/filesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace rt {

namespace {

// A failed write: the disk-full error when the file could not grow (no room, a quota, a size
// limit), the device error otherwise. Qt reports all of them as one write error, so the
// system's own error number, taken right after the failing call, tells them apart.
ErrorCode writeError(QFileDevice::FileError error, int systemError)
{
    bool full =
        error == QFileDevice::ResourceError || systemError == ENOSPC || systemError == EFBIG;
#ifdef EDQUOT // a quota: POSIX systems only
    full = full || systemError == EDQUOT;
#endif
    return full ? ErrorCode::DiskFull : ErrorCode::DeviceIO;
}

// Between the target's name and the six random letters or digits of a temporary's name.
const QString kTemporaryMark = u".保存中."_s;

} // namespace

OutputFile::OutputFile(const QString& path)
    : path_(path)
{
    const QFileInfo target = filecheck::regularFile(path, true);
    target_ = target.filePath();
    // A file the user may not write is not replaced either (a read-only file on Windows, no
    // write permission on POSIX systems, where root may write any file), although the folder
    // would take the new one.
    if (target.exists() && !target.isWritable())
        raise(ErrorCode::PermissionDenied, filecheck::named(path, target_));
    // Only the owner, group and others' bits: the user bits say what this process may do, and
    // would make a read-only file writable for root.
    permissions_ = (target.exists() ? target.permissions() : newFilePermissions()) &
                   ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    removeLeftovers();

    // Where the system has unnamed temporary files (Linux), the toolkit writes into one and
    // names it only in Close, just before it takes the target's place; elsewhere it has its
    // name from the start. Either way the name is one of our own, which no user's file
    // carries, so that what a killed save leaves behind can be told apart and removed: the
    // toolkit's own save file would use "out.dat.XXXXXX", the shape of a user's "out.dat.backup".
    file_ = std::make_unique<QTemporaryFile>(target_ + kTemporaryMark + u"XXXXXX"_s);
    errno = 0;
    if (!file_->open())
        fail(writeError(file_->error(), errno) == ErrorCode::DiskFull
                 ? ErrorCode::DiskFull
                 : ErrorCode::PermissionDenied);
}

OutputFile::~OutputFile() = default; // the temporary removes itself

void OutputFile::removeLeftovers() const
{
    const QFileInfo target(target_);
    static const QRegularExpression random(u"^[0-9A-Za-z]{6}$"_s);
    const QString prefix = target.fileName() + kTemporaryMark;
    for (const QFileInfo& left :
         target.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        const QString name = left.fileName();
        if (name.startsWith(prefix) && random.match(name.mid(prefix.size())).hasMatch())
            QFile::remove(left.filePath());
    }
}

void OutputFile::fail(ErrorCode code)
{
    file_.reset();
    raise(code, QDir::toNativeSeparators(path_));
}

void OutputFile::writeLine(const QString& line)
{
    if (!file_)
        raise(ErrorCode::BadFileName, QDir::toNativeSeparators(path_));
    const auto bytes = toCodePage(line);
    if (!bytes)
        fail(ErrorCode::InvalidCharacters);
    errno = 0;
    if (file_->write(*bytes + "\r\n") < 0)
        fail(writeError(file_->error(), errno));
}

void OutputFile::Close()
{
    if (!file_)
        return;
    errno = 0;
    if (!file_->flush())
        fail(writeError(file_->error(), errno));
    syncToDisk(*file_);
    file_->setPermissions(permissions_);
    // The name comes into being here; the file is closed before it moves, as Windows needs.
    errno = 0;
    const QString written = file_->fileName();
    if (written.isEmpty() || !QFileInfo::exists(written))
        fail(writeError(QFileDevice::NoError, errno));
    file_->setAutoRemove(false);
    file_.reset();
    if (const auto fault = replaceFile(written, target_)) {
        QFile::remove(written);
        filecheck::raiseFault(*fault, QDir::toNativeSeparators(path_));
    }
}

} // namespace rt
