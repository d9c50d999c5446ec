#pragma once

#include <QString>
#include <exception>
#include <string>

namespace rt {

// The runtime's error numbers; each has its message in Chinese (see error.cpp).
enum class ErrorCode {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    BadFileName = 52,
    FileNotFound = 53,
    DeviceIO = 57,
    DiskFull = 61,
    InputPastEnd = 62,
    PermissionDenied = 70,
    PathNotFound = 76,
    InvalidCharacters = 1000, // bytes that are not code page 936
    NotAFile = 1001,          // a folder, a pipe, a device: nothing a text file can be read from
    FileTooLarge = 1002,      // more than a whole-file read may take
    LinkLoop = 1003,          // symbolic links that lead round to themselves
};

// The one run-time error. No program catches it; the form runtime's error trap shows
// message() and lets the program go on.
class Error : public std::exception {
public:
    explicit Error(ErrorCode code, QString detail = {});

    ErrorCode code() const { return code_; }
    // The runtime's text for the code, then the detail (a path, a line) when there is one.
    QString message() const;
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    ErrorCode code_;
    QString detail_;
    std::string utf8_;
};

QString errorText(ErrorCode code);

[[noreturn]] void raise(ErrorCode code, const QString& detail = {});

} // namespace rt
