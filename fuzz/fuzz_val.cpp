// The numeric value of any text. Val either gives a finite number or raises the overflow
// error; the number prints as a text whose value prints the same again.
#include "fuzzcheck.h"
#include "runtime/numbers.h"

#include <cmath>

using fuzzcheck::check;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    double v = 0;
    try {
        v = rt::Val(text);
    } catch (const rt::Error& e) {
        check(e.code() == rt::ErrorCode::Overflow, "Val raises only the overflow error",
              e.message());
        return 0;
    }
    check(std::isfinite(v), "Val is finite", text);
    check(rt::Val(u"  \t"_s + text) == v, "leading blanks change nothing", text);

    const QString printed = rt::CStr(v);
    const double back = rt::Val(printed);
    check(rt::CStr(back) == printed, "a printed value reads back as itself", printed);
    check(std::abs(back - v) <= std::abs(v) * 1e-14, "printing keeps 15 digits", printed);
    return 0;
}
