// What Windows itself keeps a program from doing with a file: replacing one that carries the
// read-only mark, and opening or replacing one that another program holds open. Each message
// names the file and says which it is, and the old file stays as it was. And what a name may
// open besides a file on Windows: a folder, a device, a named pipe.
#include "filetest.h"
#include "hosttest.h"
#include "runtime/filesystem.h"
#include "runtime/runtime.h"

#include <QDir>
#include <QTest>
#include <windows.h>

using namespace Qt::StringLiterals;
using filetest::messageOf;
using filetest::readBytes;
using filetest::writeBytes;

namespace {

// Holds the file open, sharing it with nobody, as a program that locks what it opened does.
class HeldOpen {
public:
    explicit HeldOpen(const QString& path)
        : file_(CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), GENERIC_READ, 0,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpen()
    {
        if (held())
            CloseHandle(file_);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

    bool held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

void save(const QString& path)
{
    rt::OutputFile out(path);
    out.Write(u"new"_s);
    out.Close();
}

} // namespace

class WindowsFilesTest : public HostTest {
    Q_OBJECT

private slots:
    void readOnlyFileIsNotReplaced();
    void fileHeldOpenIsSaidToBeInUse();
    void readingChecksWhatWasOpened_data();
    void readingChecksWhatWasOpened();
};

void WindowsFilesTest::readOnlyFileIsNotReplaced()
{
    const QString path = rt::App::File(u"out.dat"_s);
    writeBytes(path, "old\r\n");
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    QVERIFY(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY)); // attrib +r
    QCOMPARE(messageOf([&] { save(path); }), u"没有权限："_s + QDir::toNativeSeparators(path));
    QCOMPARE(readBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(host->folder.path()).entryList(QDir::Files), QStringList{u"out.dat"_s});

    QVERIFY(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL));
    save(path);
    QCOMPARE(readBytes(path), QByteArray("\"new\"\r\n"));
}

void WindowsFilesTest::fileHeldOpenIsSaidToBeInUse()
{
    const QString path = rt::App::File(u"out.dat"_s);
    writeBytes(path, "old\r\n");
    const QString inUse =
        u"没有权限："_s + QDir::toNativeSeparators(path) + u"：另一个程序正在使用此文件"_s;
    {
        const HeldOpen other(path);
        QVERIFY(other.held());
        QCOMPARE(messageOf([&] { rt::InputFile in(path); }), inUse);
        QCOMPARE(messageOf([&] { save(path); }), inUse);
    }
    QCOMPARE(readBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(host->folder.path()).entryList(QDir::Files), QStringList{u"out.dat"_s});
    save(path);
    QCOMPARE(readBytes(path), QByteArray("\"new\"\r\n"));
}

void WindowsFilesTest::readingChecksWhatWasOpened_data()
{
    QTest::addColumn<QString>("path"); // %1 is the test's folder
    QTest::newRow("a folder") << u"%1"_s;
    QTest::newRow("the null device") << u"NUL"_s;
    QTest::newRow("a named pipe") << u"\\\\.\\pipe\\tst_windowsfiles"_s;
}

// Opened, none of them is a file to read, and a pipe must not keep the reading waiting.
void WindowsFilesTest::readingChecksWhatWasOpened()
{
    QFETCH(QString, path);
    path.replace(u"%1"_s, host->folder.path());
    const HANDLE pipe = CreateNamedPipeW(L"\\\\.\\pipe\\tst_windowsfiles", PIPE_ACCESS_DUPLEX,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
    QVERIFY(pipe != INVALID_HANDLE_VALUE);
    const auto read = rt::readRegularFile(path, 1 << 20);
    CloseHandle(pipe);
    QVERIFY(std::holds_alternative<rt::FileFault>(read));
    QCOMPARE(std::get<rt::FileFault>(read).code, rt::ErrorCode::NotAFile);
}

QTEST_GUILESS_MAIN(WindowsFilesTest)

#include "tst_windowsfiles.moc"
