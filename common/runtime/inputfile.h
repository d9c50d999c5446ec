#pragma once

#include "runtime/error.h"
#include "runtime/numbers.h"

#include <QString>

namespace rt {

// A text file opened for sequential input. The whole file is read and converted from code
// page 936 when it is opened, so bytes that are not code page 936 are an error that names the
// file and the line before any field is read.
class InputFile {
public:
    // The most a file may hold: it is read whole, so whatever the path names must stay small.
    static constexpr qint64 kMaxBytes = qint64{4} * 1024 * 1024;

    // Symbolic links are followed. Every error names the path (and where its links led): a
    // missing file is the file-not-found error, a missing folder on the way path-not-found,
    // links that lead round the link-loop error; anything but a regular file (a folder, a
    // pipe, a device) is the not-a-file error, before it is opened and again for what was
    // opened, and a file over kMaxBytes the file-too-large error, however much it claims to
    // hold. A file another program holds open is said to be. One Ctrl-Z as the very last byte
    // is the old end-of-file mark and is no part of the text.
    explicit InputFile(const QString& path);

    // True at the end of the file. Blank lines and blanks after the last field are no field.
    bool Eof() const;

    // Reads the next field, separated by a comma or a line end. A text in double quotes keeps
    // its blanks; a bare text is read up to the separator and trimmed. A number field must be
    // a number (an empty one is 0); a whole-number field rounds halves to even and raises the
    // overflow error outside its range. Every error names the file and the line.
    void Input(QString& field);
    void Input(double& field);
    void Input(Integer& field);
    void Input(Long& field);

    const QString& path() const { return path_; }
    // The line (from 1) on which the last field read began.
    int line() const { return fieldLine_; }
    // The last field read, as it stood in the file without its quotes, for a message about it.
    const QString& field() const { return field_; }
    // The file and a line in it, "文件，第 3 行", as every error of the reader names them; a
    // caller that finds fault with what it read names the place the same way.
    QString where(int line) const;
    // The file and the line on which the last field read began.
    QString where() const { return where(fieldLine_); }
    // Lets go of the text read; reading or asking for the end after it is the bad-file error,
    // as reading a closed file is.
    void Close();

private:
    [[noreturn]] void fail(ErrorCode code) const;
    QString nextField(bool* quoted);
    void skipBlanks();
    void skipSeparator();

    QString path_;
    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int fieldLine_ = 0;
    QString field_;
    bool closed_ = false;
    bool afterComma_ = false; // a line end right after a comma ends an empty field
};

} // namespace rt
