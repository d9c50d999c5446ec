#include "runtime/inputfile.h"

#include "runtime/codepage.h"
#include "runtime/filecheck.h"
#include "runtime/filesystem.h"
#include "runtime/text.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace rt {

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

[[noreturn]] void tooLarge(const QString& name)
{
    raise(ErrorCode::FileTooLarge,
          u"%1，超过了 %2 MiB 的上限"_s.arg(name).arg(InputFile::kMaxBytes / (qint64(1) << 20)));
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

} // namespace

InputFile::InputFile(const QString& path)
    : path_(path)
{
    const QFileInfo info = filecheck::regularFile(path, false);
    const QString name = filecheck::named(path, info.filePath());
    if (info.size() > kMaxBytes)
        tooLarge(name);
    // At most one byte past the limit, whatever size the file claims: one that grows while it
    // is read, or a system file that reports no size, still ends the read there.
    auto read = readRegularFile(info.filePath(), kMaxBytes + 1);
    if (const auto* fault = std::get_if<FileFault>(&read))
        filecheck::raiseFault(*fault, name);
    QByteArray bytes = std::get<QByteArray>(std::move(read));
    if (bytes.size() > kMaxBytes)
        tooLarge(name);
    if (bytes.endsWith('\x1a')) // Ctrl-Z, the old end-of-file mark
        bytes.chop(1);
    auto text = fromCodePage(bytes);
    if (!text)
        raise(ErrorCode::InvalidCharacters, where(firstBadLine(bytes)));
    text_ = std::move(*text);
}

QString InputFile::where(int line) const
{
    return u"%1，第 %2 行"_s.arg(QDir::toNativeSeparators(path_)).arg(line);
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
    raise(code, where());
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

} // namespace rt
