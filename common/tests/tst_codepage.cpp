#include "runtime/codepage.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The browser's conversion (runtime/codepage_table.cpp, built once more under this name).
namespace rt_table {
std::optional<QString> fromCodePage(const QByteArray& bytes);
std::optional<QByteArray> toCodePage(const QString& text);
} // namespace rt_table

namespace {

QString shown(const std::optional<QString>& text)
{
    if (!text)
        return u"a refusal"_s;
    QStringList units;
    for (const QChar unit : *text)
        units.append(u"U+"_s +
                     QString::number(unit.unicode(), 16).toUpper().rightJustified(4, u'0'));
    return units.join(u' ');
}

QString shown(const std::optional<QByteArray>& bytes)
{
    return bytes ? QString::fromLatin1(bytes->toHex(' ')) : u"a refusal"_s;
}

} // namespace

class CodePageTest : public QObject {
    Q_OBJECT

private slots:
    void tablesGiveWhatIcuGives_data();
    void tablesGiveWhatIcuGives();
};

void CodePageTest::tablesGiveWhatIcuGives_data()
{
    QTest::addColumn<QByteArrayList>("byteStrings");
    QTest::addColumn<QStringList>("texts");

    QByteArrayList singleBytes;
    QByteArrayList twoBytes;
    QStringList units;
    for (int first = 0; first <= 0xFF; ++first) {
        singleBytes.append(QByteArray(1, char(first)));
        for (int second = 0; second <= 0xFF; ++second)
            twoBytes.append(QByteArray(1, char(first)) + char(second));
    }
    for (int unit = 0; unit <= 0xFFFF; ++unit)
        units.append(QString(QChar(char16_t(unit))));
    QTest::newRow("every byte") << singleBytes << QStringList();
    QTest::newRow("every two bytes") << twoBytes << QStringList();
    QTest::newRow("every UTF-16 unit") << QByteArrayList() << units;

    // Every high and every low surrogate, in pairs and the wrong way round.
    QStringList surrogates;
    const auto addPair = [&](char16_t high, char16_t low) {
        surrogates << QString(QChar(high)) + QChar(low) << QString(QChar(low)) + QChar(high);
    };
    for (char16_t unit = 0xD800; unit <= 0xDBFF; ++unit) {
        for (const char16_t low : {0xDC00, 0xDE00, 0xDFFF})
            addPair(unit, low);
    }
    for (char16_t unit = 0xDC00; unit <= 0xDFFF; ++unit) {
        for (const char16_t high : {0xD800, 0xD83D, 0xDBFF})
            addPair(high, unit);
    }
    QTest::newRow("surrogate pairs") << QByteArrayList() << surrogates;

    // A lead byte at the end, before a control or before no trail byte; pairs beside the high
    // bytes that stand alone; a line of a records file.
    const QByteArrayList longerBytes{"AB\xC4"_ba,
                                     "\xC4\n"_ba,
                                     "\xC4\x00"_ba,
                                     "\xC4\x7F"_ba,
                                     "\xC4\xD0\xC4"_ba,
                                     "\xC4\xC4\xD0"_ba,
                                     "\xC4\xD0\xC5\xAE"_ba,
                                     "\x80\xC4\xD0\xFF"_ba,
                                     "\x81\x81\x40"_ba,
                                     "\xFF\x81\x40\x80"_ba,
                                     "\xD5\xC5\xC8\xFD,\xC4\xD0,20\r\n"_ba};
    QTest::newRow("longer byte strings") << longerBytes << QStringList();
    const QStringList mixedTexts{u"A男\u20AC\uF8F5\uE000"_s, u"男\U0001F600女"_s, u"女\xD83D"_s,
                                 QChar(0xDE00) + u"A"_s,     u"张三,男,20\r\n"_s, u"\U00020000"_s,
                                 u"\u00B7\u2014\u3000"_s,    u"\uFFFD"_s};
    QTest::newRow("mixed texts") << QByteArrayList() << mixedTexts;
}

void CodePageTest::tablesGiveWhatIcuGives()
{
    QFETCH(QByteArrayList, byteStrings);
    QFETCH(QStringList, texts);
    for (const QByteArray& bytes : byteStrings) {
        const auto icu = rt::fromCodePage(bytes);
        const auto table = rt_table::fromCodePage(bytes);
        if (table != icu)
            QFAIL(qPrintable(u"bytes %1: ICU gives %2, the tables %3"_s.arg(
                QString::fromLatin1(bytes.toHex(' ')), shown(icu), shown(table))));
    }
    for (const QString& text : texts) {
        const auto icu = rt::toCodePage(text);
        const auto table = rt_table::toCodePage(text);
        if (table != icu)
            QFAIL(qPrintable(u"%1: ICU gives %2, the tables %3"_s.arg(shown(std::optional(text)),
                                                                      shown(icu), shown(table))));
    }
}

QTEST_GUILESS_MAIN(CodePageTest)
#include "tst_codepage.moc"
