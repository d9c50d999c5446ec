#include "runtime/error.h"

using namespace Qt::StringLiterals;

namespace rt {

QString errorText(ErrorCode code)
{
    switch (code) {
    case ErrorCode::InvalidCall:
        return u"无效的过程调用或参数"_s;
    case ErrorCode::Overflow:
        return u"溢出"_s;
    case ErrorCode::OutOfMemory:
        return u"内存溢出"_s;
    case ErrorCode::SubscriptOutOfRange:
        return u"下标越界"_s;
    case ErrorCode::DivisionByZero:
        return u"除数为零"_s;
    case ErrorCode::TypeMismatch:
        return u"类型不匹配"_s;
    case ErrorCode::BadFileName:
        return u"文件名或文件号错误"_s;
    case ErrorCode::FileNotFound:
        return u"文件未找到"_s;
    case ErrorCode::DeviceIO:
        return u"设备 I/O 错误"_s;
    case ErrorCode::DiskFull:
        return u"磁盘已满"_s;
    case ErrorCode::InputPastEnd:
        return u"输入超出文件尾"_s;
    case ErrorCode::PermissionDenied:
        return u"没有权限"_s;
    case ErrorCode::PathNotFound:
        return u"路径未找到"_s;
    case ErrorCode::InvalidCharacters:
        return u"文件中有不属于代码页 936 的字节"_s;
    case ErrorCode::NotAFile:
        return u"不是文件"_s;
    case ErrorCode::FileTooLarge:
        return u"文件太大"_s;
    case ErrorCode::LinkLoop:
        return u"符号链接循环"_s;
    }
    return u"应用程序定义的错误"_s;
}

Error::Error(ErrorCode code, QString detail)
    : code_(code)
    , detail_(std::move(detail))
    , utf8_(message().toStdString())
{
}

QString Error::message() const
{
    if (detail_.isEmpty())
        return errorText(code_);
    return errorText(code_) + u"："_s + detail_;
}

void raise(ErrorCode code, const QString& detail)
{
    throw Error(code, detail);
}

} // namespace rt
