#include "students.h"

#include "exchangesort.h"
#include "fastsort.h"

#include "runtime/error.h"
#include "runtime/inputfile.h"
#include "runtime/outputfile.h"
#include "runtime/text.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace stuledger {

int LoadGap(const QString& nameAsRead)
{
    return rt::Len(nameAsRead) == 2 ? 4 : 3;
}

int SortGap(const StudentRecord& record)
{
    return rt::InStr(record.Name, u" "_s) > 0 ? 4 : 3;
}

QString RecordLine(const StudentRecord& record, int gap)
{
    QString line;
    line.reserve(3 + gap + 1 + 3 + 6 + 2);
    line += record.Name.value();
    line += rt::Space(gap);
    line += record.Sex.value();
    line += u"   "_s;
    line += rt::CStr(record.Age);
    line += u"\r\n"_s;
    return line;
}

namespace {

// Reads the sex or the age of the record that began on recordLine. A file that ends before it
// names that line and what the record lacks; an age that is no number says that the age is
// what is wrong.
template <typename Field>
void readField(rt::InputFile& in, Field& field, const QString& what, int recordLine)
{
    try {
        in.Input(field);
    } catch (const rt::Error& e) {
        if (e.code() == rt::ErrorCode::InputPastEnd)
            rt::raise(e.code(), in.where(recordLine) + u"：这条记录缺少%1"_s.arg(what));
        if (e.code() == rt::ErrorCode::TypeMismatch)
            rt::raise(e.code(), in.where() + u"：%1 %2 不是数字"_s.arg(what, in.field()));
        throw;
    }
}

// The age is read as a number first, so 20.5 is refused instead of quietly becoming 20.
rt::Integer wholeAge(double age, const rt::InputFile& in)
{
    if (age != std::floor(age))
        rt::raise(rt::ErrorCode::TypeMismatch,
                  in.where() + u"：年龄 %1 不是整数"_s.arg(rt::CStr(age)));
    if (age < -32768 || age > 32767)
        rt::raise(rt::ErrorCode::Overflow,
                  in.where() + u"：年龄 %1 不在 -32768 到 32767 之间"_s.arg(rt::CStr(age)));
    return rt::Integer(static_cast<int>(age));
}

// A text field is saved between double quotes, so one that holds a double quote would not
// load back as it was; a control character shows as nothing, and a NUL even ends the text a
// screen reader gets of the box. Such a record is refused where it is read. A tab is text.
void checkText(const QString& kept, const QString& what, const rt::InputFile& in)
{
    if (kept.contains(u'"'))
        rt::raise(rt::ErrorCode::TypeMismatch,
                  in.where() + u"：%1 %2 中有双引号"_s.arg(what, kept.trimmed()));
    for (const QChar c : kept) {
        if (c.category() != QChar::Other_Control || c == u'\t')
            continue;
        const QString code =
            QString::number(uint(c.unicode()), 16).toUpper().rightJustified(4, u'0');
        rt::raise(rt::ErrorCode::TypeMismatch,
                  in.where() + u"：%1中有控制字符 U+%2"_s.arg(what, code));
    }
}

} // namespace

int StudentLedger::Count() const
{
    return Students.exists() ? Students.UBound().value() : 0;
}

QString StudentLedger::Load(const QString& path)
{
    rt::InputFile in(path);
    std::vector<StudentRecord> read;
    QString lines;
    while (!in.Eof()) {
        QString name;
        QString sex;
        double age = 0;
        in.Input(name);
        const int recordLine = in.line();
        if (int(read.size()) == kMaxRecords)
            rt::raise(rt::ErrorCode::Overflow,
                      in.where() +
                          u"：第 %1 条记录超出了列表最多能存的 %2 条"_s.arg(kMaxRecords + 1)
                              .arg(kMaxRecords));
        const rt::FixedString<3> keptName = name;
        checkText(keptName, u"姓名"_s, in);
        readField(in, sex, u"性别"_s, recordLine);
        const rt::FixedString<1> keptSex = sex;
        checkText(keptSex, u"性别"_s, in);
        readField(in, age, u"年龄"_s, recordLine);
        StudentRecord record{keptName, keptSex, wholeAge(age, in)};
        lines += RecordLine(record, LoadGap(name));
        read.push_back(std::move(record));
    }
    in.Close();

    // Only a file that read to its end reaches this point: now the list may change.
    if (!read.empty()) {
        rt::Array<StudentRecord> fresh(1, rt::Long(std::int32_t(read.size())));
        for (std::size_t k = 0; k < read.size(); ++k)
            fresh(rt::Long(std::int32_t(k + 1))) = std::move(read[k]);
        std::swap(Students, fresh);
    }
    Loaded = true;
    return lines;
}

void StudentLedger::Save(const QString& path, const QString& source)
{
    // A link may lead the saved file back onto the one the records come from.
    const QString target = QFileInfo(path).canonicalFilePath();
    if (!target.isEmpty() && target == QFileInfo(source).canonicalFilePath())
        rt::raise(rt::ErrorCode::PermissionDenied,
                  u"%1 就是 %2，保存不能覆盖读入的文件"_s.arg(QDir::toNativeSeparators(path),
                                                              QDir::toNativeSeparators(source)));
    rt::OutputFile out(path);
    for (int i = 1; i <= Count(); ++i) {
        const StudentRecord& r = Students(i);
        out.Write(r.Name.value(), r.Sex.value(), r.Age);
    }
    out.Close();
    Saved = true;
}

bool StudentLedger::Sort(SortKey key, SortOrder order)
{
    if (!Loaded)
        return false;
    if (key == SortKey::Age)
        Saved = false;
    // A long list takes the fast path, which makes the very same exchanges.
    if (Count() > kPlainSortMost)
        FastExchangeSort(Students, key, order);
    else
        ExchangeSort(Students, key, order);
    return true;
}

QString StudentLedger::Lines() const
{
    QString lines;
    lines.reserve(qsizetype(Count()) * 16);
    for (int i = 1; i <= Count(); ++i)
        lines += RecordLine(Students(i), SortGap(Students(i)));
    return lines;
}

} // namespace stuledger
