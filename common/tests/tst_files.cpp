#include "filetest.h"
#include "hosttest.h"
#include "runtime/runtime.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <utility>

using namespace Qt::StringLiterals;
using filetest::gbk;
using filetest::messageOf;
using filetest::readBytes;
using filetest::writeBytes;
using rt::Integer;

class FilesTest : public HostTest {
    Q_OBJECT

private slots:
    void appPathHasNoTrailingSeparator();
    void installedProgramWorksInTheUsersFolder();
    void inputReadsQuotedAndBareFields_data();
    void inputReadsQuotedAndBareFields();
    void numberFieldsAreChecked_data();
    void numberFieldsAreChecked();
    void eofIgnoresTrailingBlankLines();
    void readingPastTheEndIsAnError();
    void pathsWithoutAFileAreNamed_data();
    void pathsWithoutAFileAreNamed();
    void bytesOutsideCodePage936AreAnErrorWithTheLine();
    void sizeLimit_data();
    void sizeLimit();
    void writeProducesExactBytes();
    void writeReplacesTheFileOnlyOnClose();
    void writeRemovesOnlyItsOwnLeftovers();
    void writeToAMissingFolderFails();
    void writeRejectsTextsThatCannotBeReadBack();
};

void FilesTest::appPathHasNoTrailingSeparator()
{
    QCOMPARE(rt::App::Path(), host->folder.path());
    QVERIFY(!rt::App::Path().endsWith(u'/'));
    QCOMPARE(rt::App::File(u"in.dat"_s), host->folder.path() + u"/in.dat"_s);
}

void FilesTest::installedProgramWorksInTheUsersFolder()
{
    // <prefix>/bin/prog with its sample under <prefix>/share/<project>/prog, as installed.
    const QString bin = host->folder.filePath(u"prefix/bin"_s);
    const QString installed =
        QDir::cleanPath(bin + u'/' + QStringLiteral(INSTALLED_FILES) + u"/prog"_s);
    const QString home = host->folder.filePath(u"home"_s);
    const QString own = home + u'/' + QStringLiteral(PROJECT_FOLDER) + u"/prog"_s;
    QVERIFY(QDir().mkpath(bin));
    QCOMPARE(rt::workingFolder(bin, u"prog"_s, home), bin); // built or unpacked: beside itself
    if (QStringLiteral(INSTALLED_FILES).isEmpty())
        QSKIP("an install puts the programs' files beside them here");

    QVERIFY(QDir().mkpath(installed));
    writeBytes(installed + u"/in.dat"_s, "sample");
    QCOMPARE(rt::workingFolder(bin, u"prog"_s, home), own);
    QCOMPARE(readBytes(own + u"/in.dat"_s), QByteArray("sample"));
    // Later starts keep what the user made of the folder, a removed sample included.
    writeBytes(own + u"/in.dat"_s, "mine");
    QCOMPARE(rt::workingFolder(bin, u"prog"_s, home), own);
    QCOMPARE(readBytes(own + u"/in.dat"_s), QByteArray("mine"));
    QVERIFY(QFile::remove(own + u"/in.dat"_s));
    QCOMPARE(rt::workingFolder(bin, u"prog"_s, home), own);
    QVERIFY(!QFile::exists(own + u"/in.dat"_s));
    // A folder that cannot be made is still the one named: reading there fails with its message.
    writeBytes(host->folder.filePath(u"file"_s), "");
    QCOMPARE(rt::workingFolder(bin, u"prog"_s, host->folder.filePath(u"file"_s)),
             host->folder.filePath(u"file/"_s) + QStringLiteral(PROJECT_FOLDER) + u"/prog"_s);
}

void FilesTest::inputReadsQuotedAndBareFields_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("quoted keeps blanks")
        << u"\"张三 \",\"男\",20\r\n"_s << QStringList{u"张三 "_s, u"男"_s, u"20"_s};
    QTest::newRow("bare is trimmed")
        << u"  李四  , 女 ,19\r\n"_s << QStringList{u"李四"_s, u"女"_s, u"19"_s};
    QTest::newRow("line ends separate")
        << u"\"a\"\r\n\"b\"\n\"c\""_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("empty field between commas")
        << u"\"王五\",,18\r\n"_s << QStringList{u"王五"_s, QString(), u"18"_s};
    QTest::newRow("quoted comma") << u"\"a,b\",c"_s << QStringList{u"a,b"_s, u"c"_s};
    QTest::newRow("text after closing quote ignored")
        << u"\"ab\"xy,c"_s << QStringList{u"ab"_s, u"c"_s};
    QTest::newRow("lone CR ends a line") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("blank line between records") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("full-width blanks are no blanks")
        << u"王\u3000,\u3000女 ,\t19\r\n"_s << QStringList{u"王\u3000"_s, u"\u3000女"_s, u"19"_s};
    QTest::newRow("unclosed quote ends at line end")
        << u"\"abc\r\nd"_s << QStringList{u"abc"_s, u"d"_s};
    QTest::newRow("Ctrl-Z ends the file") << u"\"a\",b\r\n\x1a"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("Ctrl-Z before the end is text") << u"a\x1a\r\n"_s << QStringList{u"a\x1a"_s};
}

void FilesTest::inputReadsQuotedAndBareFields()
{
    QFETCH(QString, content);
    QFETCH(QStringList, fields);
    const QString path = rt::App::File(u"in.dat"_s);
    writeBytes(path, gbk(content));
    rt::InputFile file(path);
    QStringList read;
    while (!file.Eof()) {
        QString field;
        file.Input(field);
        read << field;
    }
    QCOMPARE(read, fields);
}

void FilesTest::numberFieldsAreChecked_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("error"); // empty when the field reads
    QTest::newRow("20") << u"20"_s << 20 << QString();
    QTest::newRow("-5") << u"-5"_s << -5 << QString();
    QTest::newRow("blanks around") << u"  7  "_s << 7 << QString();
    QTest::newRow("empty is 0") << QString() << 0 << QString();
    QTest::newRow("quoted number") << u"\"12\""_s << 12 << QString();
    QTest::newRow("half to even") << u"20.5"_s << 20 << QString();
    QTest::newRow("32767") << u"32767"_s << 32767 << QString();
    QTest::newRow("-32768") << u"-32768"_s << -32768 << QString();
    QTest::newRow("32768") << u"32768"_s << 0 << u"溢出"_s;
    QTest::newRow("letters") << u"abc"_s << 0 << u"类型不匹配"_s;
    QTest::newRow("digits then letters") << u"12abc"_s << 0 << u"类型不匹配"_s;
}

void FilesTest::numberFieldsAreChecked()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(QString, error);
    const QString path = rt::App::File(u"n.dat"_s);
    writeBytes(path, gbk(u"\"x\"\r\n\"y\","_s + field + u"\r\n"_s));
    rt::InputFile file(path);
    QString x, y;
    file.Input(x);
    file.Input(y);
    Integer n = 99;
    const QString message = messageOf([&] { file.Input(n); });
    if (error.isEmpty()) {
        QCOMPARE(message, QString());
        QCOMPARE(int(n.value()), value);
        QVERIFY(file.Eof());
    } else {
        QCOMPARE(message, error + u"："_s + QDir::toNativeSeparators(path) + u"，第 2 行"_s);
        QCOMPARE(n.value(), 99); // the variable keeps its value
    }
}

void FilesTest::eofIgnoresTrailingBlankLines()
{
    const QString path = rt::App::File(u"e.dat"_s);
    writeBytes(path, "\"a\",1\r\n\r\n  \r\n\r\n");
    rt::InputFile file(path);
    QVERIFY(!file.Eof());
    QString a;
    Integer n;
    file.Input(a);
    file.Input(n);
    QVERIFY(file.Eof());

    writeBytes(path, QByteArray());
    QVERIFY(rt::InputFile(path).Eof());
}

void FilesTest::readingPastTheEndIsAnError()
{
    const QString path = rt::App::File(u"short.dat"_s);
    writeBytes(path, "\"a\",\"b\"\r\n\"c\",\"d\"\r\n");
    rt::InputFile file(path);
    QString f;
    for (int i = 0; i < 4; ++i)
        file.Input(f);
    QCOMPARE(file.line(), 2);
    // The file has two lines: the field that is missing belongs to the last.
    QCOMPARE(messageOf([&] { file.Input(f); }),
             u"输入超出文件尾："_s + QDir::toNativeSeparators(path) + u"，第 2 行"_s);

    // A closed file has nothing more to give.
    file.Close();
    const QString closed = u"文件名或文件号错误："_s + QDir::toNativeSeparators(path);
    QCOMPARE(messageOf([&] { file.Input(f); }), closed);
    QCOMPARE(messageOf([&] { file.Eof(); }), closed);

    // A comma at the very end announces a field that is not there.
    writeBytes(path, gbk(u"\"张三\",\"男\","_s));
    rt::InputFile cut(path);
    cut.Input(f);
    cut.Input(f);
    QCOMPARE(messageOf([&] { cut.Input(f); }),
             u"输入超出文件尾："_s + QDir::toNativeSeparators(path) + u"，第 1 行"_s);
}

void FilesTest::pathsWithoutAFileAreNamed_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder"); // a folder of that name is there
    QTest::addColumn<QString>("error");
    QTest::newRow("missing file") << u"in.dat"_s << false << u"文件未找到"_s;
    QTest::newRow("missing folder") << u"no/such/file.dat"_s << false << u"路径未找到"_s;
    QTest::newRow("a folder") << u"in.dat"_s << true << u"不是文件"_s;
}

void FilesTest::pathsWithoutAFileAreNamed()
{
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(QString, error);
    const QString path = rt::App::File(name);
    if (folder)
        QVERIFY(QDir().mkdir(path));
    QCOMPARE(messageOf([&] { rt::InputFile file(path); }),
             error + u"："_s + QDir::toNativeSeparators(path));
}

void FilesTest::bytesOutsideCodePage936AreAnErrorWithTheLine()
{
    const QString path = rt::App::File(u"bad.dat"_s);
    writeBytes(path,
               gbk(u"\"张三\",\"男\",20\r\n\"李四\",\"女\",19\r\n"_s) + "\"\x81\x20\",\"x\",1\r\n");
    QCOMPARE(messageOf([&] { rt::InputFile file(path); }), u"文件中有不属于代码页 936 的字节："_s +
                                                               QDir::toNativeSeparators(path) +
                                                               u"，第 3 行"_s);
    writeBytes(path, "\"ab\x81");
    QVERIFY(messageOf([&] { rt::InputFile file(path); }).endsWith(u"第 1 行"_s));
    // Lines that end in CR alone count as the reader counts them.
    writeBytes(path, "a\rb\r\n\rc\r\"\x81\x20\"");
    QVERIFY(messageOf([&] { rt::InputFile file(path); }).endsWith(u"第 5 行"_s));
}

void FilesTest::sizeLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QByteArray>("last"); // the file's last bytes; blanks before them
    QTest::addColumn<QString>("error");   // after the path; empty when the file reads
    const qint64 limit = rt::InputFile::kMaxBytes;
    QTest::newRow("at the limit") << limit << QByteArray("\r\n") << QString();
    QTest::newRow("at the limit, a bad last byte")
        << limit << QByteArray("\x81") << u"文件中有不属于代码页 936 的字节：%1，第 2 行"_s;
    QTest::newRow("a byte over") << limit + 1 << QByteArray("\r\n")
                                 << u"文件太大：%1，超过了 4 MiB 的上限"_s;
}

void FilesTest::sizeLimit()
{
    QFETCH(qint64, size);
    QFETCH(QByteArray, last);
    QFETCH(QString, error);
    const QString path = rt::App::File(u"big.dat"_s);
    QByteArray bytes = "\"a\",1\r\n";
    bytes += QByteArray(size - bytes.size() - last.size(), ' ') + last;
    writeBytes(path, bytes);
    QStringList fields;
    const QString message = messageOf([&] {
        rt::InputFile file(path);
        for (QString field; !file.Eof(); fields << field)
            file.Input(field);
    });
    QCOMPARE(message, error.isEmpty() ? QString() : error.arg(QDir::toNativeSeparators(path)));
    if (error.isEmpty())
        QCOMPARE(fields, (QStringList{u"a"_s, u"1"_s}));
}

void FilesTest::writeProducesExactBytes()
{
    const QString path = rt::App::File(u"out.dat"_s);
    rt::OutputFile out(path);
    out.Write(rt::FixedString<3>(u"张三"_s), rt::FixedString<1>(u"男"_s), Integer(20));
    out.Write(u"abc"_s, u"女"_s, Integer(-5));
    out.Close();
    const QByteArray expected = QByteArray("\"") + gbk(u"张三"_s) + " \",\"" + gbk(u"男"_s) +
                                "\",20\r\n\"abc\",\"" + gbk(u"女"_s) + "\",-5\r\n";
    QCOMPARE(readBytes(path), expected);
    QCOMPARE(readBytes(path).left(17).size(), 17);
    QCOMPARE(readBytes(path).indexOf("\r\n"), 15); // the 17-byte record: 15 bytes and CR LF
}

void FilesTest::writeReplacesTheFileOnlyOnClose()
{
    const QString path = rt::App::File(u"out.dat"_s);
    writeBytes(path, "old\r\n");
    {
        rt::OutputFile out(path);
        out.Write(u"new"_s);
        QCOMPARE(readBytes(path), QByteArray("old\r\n")); // not yet
        // Leaving without Close, as when an error cuts the save short.
    }
    QCOMPARE(readBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(host->folder.path()).entryList(QDir::Files), QStringList{u"out.dat"_s});
    rt::OutputFile out(path);
    out.Write(u"new"_s);
    out.Close();
    QCOMPARE(readBytes(path), QByteArray("\"new\"\r\n"));
    rt::OutputFile empty(path);
    empty.Close();
    QCOMPARE(readBytes(path), QByteArray()); // opened for output and closed: emptied
}

void FilesTest::writeRemovesOnlyItsOwnLeftovers()
{
    // What a save that was killed leaves, then files of the user's with much the same names.
    const QString ours = u"out.dat.保存中.a1B2c3"_s;
    const QStringList theirs{u"in.dat.保存中.a1B2c3"_s, u"out.dat.backup"_s,
                             u"out.dat.保存中.old"_s};
    for (const QString& name : theirs + QStringList{ours})
        writeBytes(rt::App::File(name), "x");
    rt::OutputFile out(rt::App::File(u"out.dat"_s));
    out.Write(u"new"_s);
    out.Close();
    QStringList left = QDir(host->folder.path()).entryList(QDir::Files);
    QStringList expected = theirs + QStringList{u"out.dat"_s};
    left.sort();
    expected.sort();
    QCOMPARE(left, expected);
}

void FilesTest::writeToAMissingFolderFails()
{
    const QString path = rt::App::File(u"gone/out.dat"_s);
    QCOMPARE(messageOf([&] { rt::OutputFile out(path); }),
             u"路径未找到："_s + QDir::toNativeSeparators(path));
    const QString folder = rt::App::File(u"sub"_s);
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(messageOf([&] { rt::OutputFile out(folder); }),
             u"不是文件："_s + QDir::toNativeSeparators(folder));
}

void FilesTest::writeRejectsTextsThatCannotBeReadBack()
{
    const QString path = rt::App::File(u"out.dat"_s);
    writeBytes(path, "old\r\n");
    // A character outside code page 936, and a double quote, which would end the field early.
    for (const auto& [bad, error] :
         {std::pair{u"\U0001F600"_s, u"文件中有不属于代码页 936 的字节"_s},
          std::pair{u"a\"b"_s, u"无效的过程调用或参数"_s}}) {
        const QString text = bad; // a lambda may not take a structured binding (before C++20)
        rt::OutputFile out(path);
        out.Write(u"first"_s);
        QCOMPARE(messageOf([&] { out.Write(text, rt::Integer(1)); }),
                 error + u"："_s + QDir::toNativeSeparators(path));
        QVERIFY(messageOf([&] { out.Close(); }).isEmpty());
        QCOMPARE(readBytes(path), QByteArray("old\r\n"));
    }
}

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
