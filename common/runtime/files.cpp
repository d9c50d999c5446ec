#include "runtime/files.h"

#include "runtime/codepage.h"
#include "runtime/filesystem.h"
#include "runtime/host.h"
#include "runtime/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

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

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// A bare field loses the blanks and tabs around it, nothing else: a full-width blank (U+3000)
// is part of a name.
QStringView trimBlanks(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

QString where(const QString& path, int line)
{
    return u"%1，第 %2 行"_s.arg(QDir::toNativeSeparators(path)).arg(line);
}

// The path as the user gave it and, when links lead elsewhere, where they lead: the file named
// in a message may otherwise look perfectly fine.
QString named(const QString& path, const QString& target)
{
    const QString given = QDir::toNativeSeparators(path);
    return target == path ? given
                          : u"%1（链接到 %2）"_s.arg(given, QDir::toNativeSeparators(target));
}

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

// The regular file the path leads to, checked without opening it: opening a pipe waits for a
// writer, and a device never ends. A missing file is an error only when it must be there.
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

[[noreturn]] void tooLarge(const QString& name)
{
    raise(ErrorCode::FileTooLarge,
          u"%1，超过了 %2 MiB 的上限"_s.arg(name).arg(InputFile::kMaxBytes / (qint64(1) << 20)));
}

// The fault's error, naming the file, and saying so when another program holds it open.
[[noreturn]] void raiseFault(const FileFault& fault, const QString& name)
{
    raise(fault.code, fault.inUse ? name + u"：另一个程序正在使用此文件"_s : name);
}

// The line of the first byte sequence that is not code page 936, counting lines as the
// reader does: CR LF, CR alone and LF alone each end one. Neither byte is ever the second
// byte of a double-byte character, so each line can be converted apart.
int firstBadLine(const QByteArray& bytes)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (!fromCodePage(bytes.mid(start, end - start)))
            return line;
        ++line;
        start = end + (bytes.mid(end, 2) == "\r\n" ? 2 : 1);
    }
    return line - 1;
}

// A number field: optional sign, digits with an optional decimal point, optional exponent,
// and nothing else.
bool isNumber(const QString& s)
{
    static const QRegularExpression pattern(uR"(^[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?$)"_s);
    return pattern.match(s).hasMatch();
}

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

} // namespace

InputFile::InputFile(const QString& path)
    : path_(path)
{
    const QFileInfo info = regularFile(path, false);
    const QString name = named(path, info.filePath());
    if (info.size() > kMaxBytes)
        tooLarge(name);
    // At most one byte past the limit, whatever size the file claims: one that grows while it
    // is read, or a system file that reports no size, still ends the read there.
    auto read = readRegularFile(info.filePath(), kMaxBytes + 1);
    if (const auto* fault = std::get_if<FileFault>(&read))
        raiseFault(*fault, name);
    QByteArray bytes = std::get<QByteArray>(std::move(read));
    if (bytes.size() > kMaxBytes)
        tooLarge(name);
    if (bytes.endsWith('\x1a')) // Ctrl-Z, the old end-of-file mark
        bytes.chop(1);
    auto text = fromCodePage(bytes);
    if (!text)
        raise(ErrorCode::InvalidCharacters, where(path, firstBadLine(bytes)));
    text_ = std::move(*text);
}

void InputFile::Close()
{
    closed_ = true;
    text_ = QString();
    pos_ = 0;
}

bool InputFile::Eof() const
{
    if (closed_)
        raise(ErrorCode::BadFileName, QDir::toNativeSeparators(path_));
    for (qsizetype i = pos_; i < text_.size(); ++i) {
        const QChar c = text_[i];
        if (!isBlank(c) && !isLineEnd(c))
            return false;
    }
    return true;
}

void InputFile::fail(ErrorCode code) const
{
    raise(code, where(path_, fieldLine_));
}

void InputFile::skipBlanks()
{
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

void InputFile::skipSeparator()
{
    // Whatever stands between a field and its separator is not part of any field.
    while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
        ++pos_;
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == u',') {
        ++pos_;
        afterComma_ = true;
        return;
    }
    if (text_[pos_] == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n')
        ++pos_;
    ++line_;
}

QString InputFile::nextField(bool* quoted)
{
    // Blank lines between fields separate nothing.
    while (true) {
        skipBlanks();
        if (!afterComma_ && pos_ < text_.size() && isLineEnd(text_[pos_])) {
            if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n')
                ++pos_;
            ++pos_;
            ++line_;
            continue;
        }
        break;
    }
    if (closed_)
        raise(ErrorCode::BadFileName, QDir::toNativeSeparators(path_));
    // Nothing left, not even after a comma: there is no field to read. The one that is missing
    // belongs after the last one read, on its line, not on a line past the file's last.
    if (pos_ >= text_.size()) {
        fieldLine_ = std::max(fieldLine_, 1);
        fail(ErrorCode::InputPastEnd);
    }
    fieldLine_ = line_;
    afterComma_ = false;

    QString field;
    *quoted = text_[pos_] == u'"';
    if (*quoted) {
        const qsizetype start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != u'"' && !isLineEnd(text_[pos_]))
            ++pos_;
        field = text_.mid(start, pos_ - start);
        if (pos_ < text_.size() && text_[pos_] == u'"')
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
            ++pos_;
        field = trimBlanks(QStringView(text_).mid(start, pos_ - start)).toString();
    }
    skipSeparator();
    field_ = field;
    return field;
}

void InputFile::Input(QString& field)
{
    bool quoted = false;
    field = nextField(&quoted);
}

void InputFile::Input(double& field)
{
    bool quoted = false;
    const QString text = nextField(&quoted).trimmed();
    if (text.isEmpty()) {
        field = 0;
        return;
    }
    if (!isNumber(text))
        fail(ErrorCode::TypeMismatch);
    try {
        field = Val(text);
    } catch (const Error& e) {
        fail(e.code());
    }
}

void InputFile::Input(Integer& field)
{
    double v = 0;
    Input(v);
    try {
        field = CInt(v);
    } catch (const Error& e) {
        fail(e.code());
    }
}

void InputFile::Input(Long& field)
{
    double v = 0;
    Input(v);
    try {
        field = CLng(v);
    } catch (const Error& e) {
        fail(e.code());
    }
}

namespace {

// Between the target's name and the six random letters or digits of a temporary's name.
const QString kTemporaryMark = u".保存中."_s;

} // namespace

OutputFile::OutputFile(const QString& path)
    : path_(path)
{
    const QFileInfo target = regularFile(path, true);
    target_ = target.filePath();
    // A file the user may not write is not replaced either (a read-only file on Windows, no
    // write permission on POSIX systems, where root may write any file), although the folder
    // would take the new one.
    if (target.exists() && !target.isWritable())
        raise(ErrorCode::PermissionDenied, named(path, target_));
    // Only the owner, group and others' bits: the user bits say what this process may do, and
    // would make a read-only file writable for root.
    permissions_ = (target.exists() ? target.permissions() : newFilePermissions()) &
                   ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    removeLeftovers();

    // Where the system has unnamed temporary files (Linux), the toolkit writes into one and
    // names it only in Close, just before it takes the target's place; elsewhere it has its
    // name from the start. Either way the name is one of our own, which no user's file
    // carries, so that what a killed save leaves behind can be told apart and removed: the
    // toolkit's own save file would use "student2.dat.XXXXXX", the shape of a user's
    // "student2.dat.backup".
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
        raiseFault(*fault, QDir::toNativeSeparators(path_));
    }
}

} // namespace rt
