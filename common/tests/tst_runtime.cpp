#include "hosttest.h"
#include "runtime/runtime.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;
using rt::ErrorCode;
using rt::Integer;
using rt::Long;

Q_DECLARE_METATYPE(ErrorCode)

namespace {

// The code of the run-time error the call raises, or nothing.
std::optional<ErrorCode> errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const rt::Error& e) {
        return e.code();
    }
    return std::nullopt;
}

} // namespace

class RuntimeTest : public HostTest {
    Q_OBJECT

private slots:
    void integerArithmeticIsChecked();
    void conversionToIntegerRoundsHalvesToEven_data();
    void conversionToIntegerRoundsHalvesToEven();
    void conversionToSingleOverflowsBeyondItsRange();
    void valReadsTheLeadingNumber_data();
    void valReadsTheLeadingNumber();
    void numberToText_data();
    void numberToText();
    void printFormHasSignPlaceAndTrailingBlank();
    void textFunctions();
    void textFunctionsRejectNegativeCounts();
    void ascAndChrUseCodePage936_data();
    void ascAndChrUseCodePage936();
    void codePageConversionsStartCleanAfterAFailure();
    void strCompIsOrdinalByUtf16Code();
    void roundAndFriends_data();
    void roundAndFriends();
    void powerAndRemainder();
    void rndStaysBelowOneAndIsSeedable();
    void dateAndTimeFollowTheLocale();
    void fixedStringFillsOrCuts();
    void arraysCheckTheirBounds();
    void errorsCarryTheirMessage();
};

void RuntimeTest::integerArithmeticIsChecked()
{
    Integer counter = 32766;
    ++counter;
    QCOMPARE(counter.value(), 32767);
    QCOMPARE(errorOf([&] { ++counter; }), ErrorCode::Overflow);
    QCOMPARE(counter.value(), 32767); // a failed step leaves the value as it was
    QCOMPARE(errorOf([] { Integer(-32768) - Integer(1); }), ErrorCode::Overflow);
    QCOMPARE(errorOf([] { Integer(200) * Integer(200); }), ErrorCode::Overflow);
    QCOMPARE(errorOf([] { -Integer(-32768); }), ErrorCode::Overflow);
    QCOMPARE(errorOf([] { Integer(40000); }), ErrorCode::Overflow);
    QCOMPARE((Integer(-32768) + Integer(32767)).value(), -1);
    Long wide = Integer(-5); // widening is implicit and exact
    QCOMPARE(wide.value(), -5);
    QCOMPARE(errorOf([] { Long(2147483647) + Long(1); }), ErrorCode::Overflow);
    QCOMPARE(errorOf([] { Integer(Long(32768)); }), ErrorCode::Overflow);
    QVERIFY(Integer(3) < Integer(4));
}

void RuntimeTest::conversionToIntegerRoundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected"); // -99999 marks the overflow error
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("7.5") << 7.5 << 8;
    QTest::newRow("2.51") << 2.51 << 3;
    QTest::newRow("32767") << 32767.0 << 32767;
    QTest::newRow("32767.4") << 32767.4 << 32767;
    QTest::newRow("32767.5") << 32767.5 << -99999;
    QTest::newRow("-32768") << -32768.0 << -32768;
    QTest::newRow("-32768.5") << -32768.5 << -32768;
    QTest::newRow("-32768.6") << -32768.6 << -99999;
    QTest::newRow("1e5") << 1e5 << -99999;
    QTest::newRow("nan") << std::nan("") << -99999;
    QTest::newRow("inf") << std::numeric_limits<double>::infinity() << -99999;
}

void RuntimeTest::conversionToIntegerRoundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    if (expected == -99999) {
        QCOMPARE(errorOf([&] { rt::CInt(value); }), ErrorCode::Overflow);
        return;
    }
    QCOMPARE(int(rt::CInt(value).value()), expected);
}

void RuntimeTest::conversionToSingleOverflowsBeyondItsRange()
{
    QCOMPARE(rt::CSng(17.928), 17.928f);
    QCOMPARE(errorOf([] { rt::CSng(1e39); }), ErrorCode::Overflow);
    QCOMPARE(errorOf([] { rt::CSng(-1e39); }), ErrorCode::Overflow);
    QCOMPARE(rt::CSng(1e-50), 0.0f);
    QCOMPARE(rt::CLng(2147483647.4).value(), 2147483647);
    QCOMPARE(errorOf([] { rt::CLng(2147483647.5); }), ErrorCode::Overflow);
}

void RuntimeTest::valReadsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("12abc") << u"12abc"_s << 12.0;
    QTest::newRow("abc") << u"abc"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("-24") << u"-24"_s << -24.0;
    QTest::newRow("2.5") << u"2.5"_s << 2.5;
    QTest::newRow("1e5") << u"1e5"_s << 100000.0;
    QTest::newRow("leading blank") << u" 7.5"_s << 7.5;
    QTest::newRow("tab and line break") << u"\t\r\n8"_s << 8.0;
    QTest::newRow("70kg") << u"70kg"_s << 70.0;
    QTest::newRow("+3") << u"+3"_s << 3.0;
    QTest::newRow(".5") << u".5"_s << 0.5;
    QTest::newRow("5.") << u"5."_s << 5.0;
    QTest::newRow("sign only") << u"-"_s << 0.0;
    QTest::newRow("point only") << u"."_s << 0.0;
    QTest::newRow("exponent without digits") << u"3e"_s << 3.0;
    QTest::newRow("exponent sign without digits") << u"3e+x"_s << 3.0;
    QTest::newRow("negative exponent") << u"25E-1"_s << 2.5;
    QTest::newRow("D exponent") << u"1d2"_s << 100.0;
    QTest::newRow("blank inside") << u"1 2"_s << 1.0;
    QTest::newRow("full-width digits are no digits") << u"１２"_s << 0.0;
    QTest::newRow("32768") << u"32768"_s << 32768.0;
}

void RuntimeTest::valReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(rt::Val(text), expected);
}

void RuntimeTest::numberToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("expected");
    QTest::newRow("12") << 12.0 << true << u"12"_s;
    QTest::newRow("-5") << -5.0 << true << u"-5"_s;
    QTest::newRow("17.93") << 17.93 << true << u"17.93"_s;
    QTest::newRow("20") << 20.0 << true << u"20"_s;
    QTest::newRow("22.5") << 22.5 << true << u"22.5"_s;
    QTest::newRow("single of 17.9282...") << 17.928287 << true << u"17.92829"_s;
    QTest::newRow("single 0.1") << 0.1 << true << u"0.1"_s;
    QTest::newRow("double 0.1+0.2") << 0.1 + 0.2 << false << u"0.3"_s;
    QTest::newRow("double 1/3") << 1.0 / 3 << false << u"0.333333333333333"_s;
    QTest::newRow("large single") << 12345678.0 << true << u"1.234568E+07"_s;
    QTest::newRow("small") << 0.00001 << false << u"1E-05"_s;
    QTest::newRow("negative zero") << -0.0 << false << u"0"_s;
}

void RuntimeTest::numberToText()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, expected);
    QCOMPARE(single ? rt::CStr(float(value)) : rt::CStr(value), expected);
}

void RuntimeTest::printFormHasSignPlaceAndTrailingBlank()
{
    QCOMPARE(rt::PrintText(Integer(5)), u" 5 "_s);
    QCOMPARE(rt::PrintText(Integer(-5)), u"-5 "_s);
    QCOMPARE(rt::PrintText(Integer(0)), u" 0 "_s);
    QCOMPARE(rt::PrintText(2.5), u" 2.5 "_s);
}

void RuntimeTest::textFunctions()
{
    const QString s = u"stuledger练习"_s;
    QCOMPARE(rt::Len(s).value(), 11);
    QCOMPARE(rt::Len(QString()).value(), 0);
    QCOMPARE(rt::Left(s, 3), u"stu"_s);
    QCOMPARE(rt::Left(s, 0), QString());
    QCOMPARE(rt::Left(s, 100), s);
    QCOMPARE(rt::Mid(s, 10, 1), u"练"_s);
    QCOMPARE(rt::Mid(s, 10), u"练习"_s);
    QCOMPARE(rt::Mid(s, 12, 5), QString());
    QCOMPARE(rt::InStr(s, u"练"_s).value(), 10);
    QCOMPARE(rt::InStr(s, u"z"_s).value(), 0);
    QCOMPARE(rt::InStr(u"aA"_s, u"A"_s).value(), 2); // exact: no case folding
    QCOMPARE(rt::InStr(3, u"abab"_s, u"a"_s).value(), 3);
    QCOMPARE(rt::InStr(QString(), u" "_s).value(), 0);
    QCOMPARE(rt::Replace(u"abc123"_s, u"123"_s, QString()), u"abc"_s);
    QCOMPARE(rt::Replace(u"abc123"_s, u"abc"_s, QString()), u"123"_s);
    QCOMPARE(rt::Replace(u"aaaa"_s, u"aa"_s, u"b"_s), u"bb"_s);
    QCOMPARE(rt::Replace(u"ABC"_s, u"abc"_s, QString()), u"ABC"_s);
    QCOMPARE(rt::Space(4), u"    "_s);
    QCOMPARE(rt::Space(0), QString());
    QCOMPARE(rt::Trim(u"  a b  "_s), u"a b"_s);
    QCOMPARE(rt::IIf(true, 1, 2), 1);
}

void RuntimeTest::textFunctionsRejectNegativeCounts()
{
    QCOMPARE(errorOf([] { rt::Left(u"abc"_s, -1); }), ErrorCode::InvalidCall);
    QCOMPARE(errorOf([] { rt::Mid(u"abc"_s, 0); }), ErrorCode::InvalidCall);
    QCOMPARE(errorOf([] { rt::Mid(u"abc"_s, 1, -1); }), ErrorCode::InvalidCall);
    QCOMPARE(errorOf([] { rt::Space(-1); }), ErrorCode::InvalidCall);
    QCOMPARE(errorOf([] { rt::InStr(0, u"abc"_s, u"a"_s); }), ErrorCode::InvalidCall);
    QCOMPARE(errorOf([] { rt::Asc(QString()); }), ErrorCode::InvalidCall);
    // A code is one character: a first byte that leads no pair makes no code.
    QCOMPARE(errorOf([] { rt::Chr(16706); }), ErrorCode::InvalidCall); // "AB"
    QCOMPARE(errorOf([] { rt::Chr(0x41C4); }), ErrorCode::InvalidCall);
}

void RuntimeTest::ascAndChrUseCodePage936_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("A") << u"A"_s << 65;
    QTest::newRow("!") << u"!"_s << 33;
    QTest::newRow("~") << u"~"_s << 126;
    QTest::newRow("男 C4D0") << u"男"_s << -15152;
    QTest::newRow("女 C5AE") << u"女"_s << -14930;
    QTest::newRow("U+FE3C A6EF") << u"\uFE3C"_s << int(std::int16_t(0xA6EF));
    QTest::newRow("CR") << u"\r"_s << 13;
}

void RuntimeTest::ascAndChrUseCodePage936()
{
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(int(rt::Asc(text).value()), code);
    QCOMPARE(rt::Chr(code), text);
    QCOMPARE(int(rt::Asc(text + u"xyz"_s).value()), code); // only the first character counts
}

void RuntimeTest::codePageConversionsStartCleanAfterAFailure()
{
    // The converters are kept between calls: a failure, or a text cut in the middle of a
    // character, must leave nothing behind for the next one.
    QVERIFY(!rt::toCodePage(u"\U0001F600"_s));
    QCOMPARE(*rt::toCodePage(u"男"_s), QByteArray("\xC4\xD0"));
    QVERIFY(!rt::fromCodePage(QByteArray("\xC4")));
    QCOMPARE(rt::fromCodePage(QByteArray("A")), std::optional<QString>(u"A"_s));
    QVERIFY(!rt::toCodePage(u"\xD83D"_s)); // half of a pair at the end
    QCOMPARE(rt::toCodePage(u"\xDE00"_s), std::nullopt);
    QCOMPARE(*rt::toCodePage(u"A女"_s), QByteArray("A\xC5\xAE"));
}

void RuntimeTest::strCompIsOrdinalByUtf16Code()
{
    // 女 (U+5973) before 男 (U+7537), though code page 936 puts 男 (C4D0) before 女 (C5AE).
    QCOMPARE(rt::StrComp(u"女"_s, u"男"_s), -1);
    QCOMPARE(rt::StrComp(u"男"_s, u"女"_s), 1);
    QCOMPARE(rt::StrComp(u"男"_s, u"男"_s), 0);
    QCOMPARE(rt::StrComp(u" "_s, u"A"_s), -1);
    QCOMPARE(rt::StrComp(u"B"_s, u"a"_s), -1);
    QCOMPARE(rt::StrComp(u"a"_s, u"ab"_s), -1);
    // A character outside code page 936 is "?" to Asc.
    QCOMPARE(int(rt::Asc(u"\U0001F600"_s).value()), 63);
    QCOMPARE(int(rt::Asc(u"\u20A9"_s).value()), 63);
}

void RuntimeTest::roundAndFriends_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5") << 3.5 << 0 << 4.0;
    QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
    QTest::newRow("17.9282") << 17.9282 << 2 << 17.93;
    QTest::newRow("22.5") << 22.5 << 2 << 22.5;
    QTest::newRow("0.125") << 0.125 << 2 << 0.12;
    QTest::newRow("0.375") << 0.375 << 2 << 0.38;
}

void RuntimeTest::roundAndFriends()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(rt::Round(value, decimals), expected);
    QCOMPARE(rt::Int(2.7), 2.0);
    QCOMPARE(rt::Int(-2.5), -3.0);
    QCOMPARE(rt::Fix(-2.5), -2.0);
    QCOMPARE(rt::Abs(-3.5), 3.5);
    QCOMPARE(rt::Abs(Integer(-7)).value(), 7);
    QCOMPARE(errorOf([] { rt::Abs(Integer(-32768)); }), ErrorCode::Overflow);
}

void RuntimeTest::powerAndRemainder()
{
    QCOMPARE(rt::Pow(1.67, 2), 1.67 * 1.67);
    QCOMPARE(errorOf([] { rt::Pow(10, 400); }), ErrorCode::Overflow);
    QCOMPARE(rt::Divide(-7, 2), -3.5);
    QCOMPARE(errorOf([] { rt::Divide(1e300, 1e-300); }), ErrorCode::Overflow);
    QCOMPARE(errorOf([] { rt::Divide(1, 0); }), ErrorCode::DivisionByZero);
    QCOMPARE(rt::Mod(Integer(46), Integer(24)).value(), 22);
    QCOMPARE(rt::Mod(Integer(-7), Integer(2)).value(), -1); // the dividend's sign
    QCOMPARE(rt::Mod(Integer(7), Integer(-2)).value(), 1);
    QCOMPARE(rt::Mod(Integer(-32768), Integer(-1)).value(), 0);
    QCOMPARE(errorOf([] { rt::Mod(Integer(1), Integer(0)); }), ErrorCode::DivisionByZero);
}

void RuntimeTest::rndStaysBelowOneAndIsSeedable()
{
    rt::Randomize();
    QList<float> first;
    bool sawLow = false;
    bool sawHigh = false;
    int counts[94] = {};
    for (int i = 0; i < 94000; ++i) {
        const float r = rt::Rnd();
        QVERIFY(r >= 0.0f && r < 1.0f);
        if (i < 10)
            first << r;
        const double code = rt::Int(double(r) * 94) + 33;
        QVERIFY(code >= 33 && code <= 126);
        ++counts[int(code) - 33];
        sawLow = sawLow || r < 0.01f;
        sawHigh = sawHigh || r > 0.99f;
    }
    QVERIFY(sawLow && sawHigh);
    for (int c : counts) // about 1000 each; far outside that would be a skewed generator
        QVERIFY2(c > 800 && c < 1200, qPrintable(QString::number(c)));
    rt::Randomize(); // the host's seed again: the same sequence
    for (float r : first)
        QCOMPARE(rt::Rnd(), r);
    host->seed = 99;
    rt::Randomize();
    QVERIFY(rt::Rnd() != first.first());
}

void RuntimeTest::dateAndTimeFollowTheLocale()
{
    const QLocale c(QLocale::C);
    QCOMPARE(rt::shortDate(QDate(2024, 3, 9), c),
             c.toString(QDate(2024, 3, 9), QLocale::ShortFormat));
    const QString time = rt::longTime(QTime(14, 5, 7), c);
    QVERIFY2(time.startsWith(u"14:05:07"_s), qPrintable(time));
    QVERIFY(time.trimmed() == time);
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QVERIFY(rt::longTime(QTime(14, 5, 7), chinese).contains(u"14:05:07"_s) ||
            rt::longTime(QTime(14, 5, 7), chinese).contains(u"2:05:07"_s));
    // No zone name in any form, nor the brackets or separators that went with it.
    QCOMPARE(rt::longTime(QTime(13, 5, 9), QLocale(u"zh_HK"_s)), u"下午1:05:09"_s);
    QCOMPARE(rt::longTime(QTime(13, 5, 9), QLocale(u"zh_TW"_s)), u"下午1:05:09"_s);
    QCOMPARE(rt::longTime(QTime(13, 5, 9), QLocale(u"ca_ES"_s)), u"13:05:09"_s);
    QCOMPARE(rt::longTime(QTime(13, 5, 9), QLocale(u"zh_CN"_s)), u"13:05:09"_s);
    const auto all =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale& l : all) {
        const QString t = rt::longTime(QTime(9, 0, 0), l);
        QVERIFY2(!t.contains(u"UTC"_s) && !t.contains(u"GMT"_s), qPrintable(l.name()));
        QVERIFY2(!t.contains(u"()"_s) && !t.contains(u"[]"_s), qPrintable(l.name() + t));
        QVERIFY2(t == t.trimmed() && !t.startsWith(u',') && !t.endsWith(u','),
                 qPrintable(l.name() + t));
    }
    QCOMPARE(rt::Date(), rt::shortDate(host->clock.date(), QLocale::system()));
    QCOMPARE(rt::Time(), rt::longTime(host->clock.time(), QLocale::system()));
}

void RuntimeTest::fixedStringFillsOrCuts()
{
    rt::FixedString<3> name;
    QCOMPARE(name.value(), u"   "_s);
    name = u"张三"_s;
    QCOMPARE(name.value(), u"张三 "_s);
    name = u"欧阳明月"_s;
    QCOMPARE(name.value(), u"欧阳明"_s);
    name = QString();
    QCOMPARE(name.value(), u"   "_s);
    rt::FixedString<1> sex = u"男女"_s;
    QCOMPARE(QString(sex), u"男"_s);
}

void RuntimeTest::arraysCheckTheirBounds()
{
    rt::Array<Integer> a;
    QVERIFY(!a.exists());
    QCOMPARE(errorOf([&] { rt::UBound(a); }), ErrorCode::SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { a(1); }), ErrorCode::SubscriptOutOfRange);
    a.ReDimPreserve(1, 3);
    a(1) = 10;
    a(3) = 30;
    QCOMPARE(rt::LBound(a).value(), 1);
    QCOMPARE(rt::UBound(a).value(), 3);
    QCOMPARE(errorOf([&] { a(0); }), ErrorCode::SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { a(4); }), ErrorCode::SubscriptOutOfRange);
    a.ReDimPreserve(1, 1); // shrinking keeps what stays inside
    QCOMPARE(a(1).value(), 10);
    QCOMPARE(errorOf([&] { a(2); }), ErrorCode::SubscriptOutOfRange);
    a.ReDimPreserve(1, 2);
    QCOMPARE(a(2).value(), 0); // a new element starts empty
    QCOMPARE(errorOf([&] { a.ReDimPreserve(0, 2); }), ErrorCode::SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { a.ReDimPreserve(1, 0); }), ErrorCode::SubscriptOutOfRange);
    a.ReDim(0, 19);
    QCOMPARE(a(19).value(), 0);
    QCOMPARE(rt::LBound(a).value(), 0);
}

void RuntimeTest::errorsCarryTheirMessage()
{
    QCOMPARE(rt::Error(ErrorCode::Overflow).message(), u"溢出"_s);
    QCOMPARE(rt::Error(ErrorCode::SubscriptOutOfRange).message(), u"下标越界"_s);
    QCOMPARE(rt::Error(ErrorCode::FileNotFound, u"/a/b.dat"_s).message(),
             u"文件未找到：/a/b.dat"_s);
    QCOMPARE(QString::fromUtf8(rt::Error(ErrorCode::Overflow).what()), u"溢出"_s);
}

QTEST_GUILESS_MAIN(RuntimeTest)
#include "tst_runtime.moc"
