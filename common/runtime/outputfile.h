#pragma once

#include "runtime/error.h"
#include "runtime/numbers.h"

#include <QString>
#include <QTemporaryFile>
#include <memory>
#include <type_traits>

namespace rt {

// A text file opened for sequential output. What is written goes to a temporary file beside
// the target, which takes the target's place only when Close succeeds; a failed or interrupted
// write leaves the old file exactly as it was, and the new file keeps the old one's
// permissions. Symbolic links are followed: the file they lead to is replaced, the link stays.
// The temporary is named after the target, "out.dat.保存中.a1B2c3": a save that was killed may
// leave one behind, and the next save beside it removes it.
class OutputFile {
public:
    // The folder must exist and be writable, and the path (after links) must be a regular file
    // that this user may write, or nothing yet; otherwise the error names the file.
    explicit OutputFile(const QString& path);
    ~OutputFile(); // without Close nothing replaces the old file

    // One line: texts in double quotes, numbers bare, commas between, CR LF after. A text
    // that holds a double quote would read back as another text, so it is the invalid-call
    // error, and the old file stays.
    template <typename... Fields> void Write(const Fields&... fields)
    {
        QString line;
        ((line += (line.isEmpty() ? QString() : QStringLiteral(",")) + field(fields)), ...);
        writeLine(line);
    }
    void Close();

    const QString& path() const { return path_; }

private:
    template <typename F> QString field(const F& f)
    {
        if constexpr (std::is_convertible_v<const F&, QString>) {
            const QString& text = f;
            if (text.contains(u'"'))
                fail(ErrorCode::InvalidCall);
            return u'"' + text + u'"';
        } else
            return CStr(f);
    }
    void writeLine(const QString& line);
    void removeLeftovers() const;
    [[noreturn]] void fail(ErrorCode code);

    QString path_;
    QString target_;                       // where the links lead
    QFileDevice::Permissions permissions_; // what the new file gets
    std::unique_ptr<QTemporaryFile> file_;
};

} // namespace rt
