// What student1.dat and student2.dat may be besides a plain file, made for real as Linux makes
// them: a pipe, a device, a system file that reports no size, links that loop, lead nowhere or
// back to student1.dat, and files with modes of their own. Each command answers at once with a
// message that names the file and says what is wrong, and leaves every other file as it was.
#include "form1.h"
#include "runtime/filesystem.h"
#include "students.h"
#include "tests/filetest.h"
#include "tests/hosttest.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace stuledger;
using filetest::gbk;
using filetest::readBytes;
using filetest::writeBytes;

namespace {

// Records as a save writes them, so a load and a save give the same bytes.
const QByteArray kRecords = gbk(u"\"张三 \",\"男\",20\r\n\"赵  \",\"女\",18\r\n"_s);

// Makes each "name kind" in the folder: a "fifo", a "folder", a "device" (as /dev/null), an
// empty "file", or "-> target" for a symbolic link. False when the system refuses one.
bool make(const QString& folder, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QByteArray path = QFile::encodeName(folder + u'/' + entry.section(u' ', 0, 0));
        const QString kind = entry.section(u' ', 1);
        int result = -1;
        if (kind == u"fifo")
            result = ::mkfifo(path.constData(), 0644);
        else if (kind == u"folder")
            result = ::mkdir(path.constData(), 0755);
        else if (kind == u"device")
            result = ::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3));
        else if (kind == u"file")
            result = ::close(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644));
        else if (kind.startsWith(u"-> "))
            result = ::symlink(QFile::encodeName(kind.mid(3)).constData(), path.constData());
        if (result != 0)
            return false;
    }
    return true;
}

// What a name in the folder is now, in make()'s words.
QString kindOf(const QString& folder, const QString& name)
{
    const QByteArray path = QFile::encodeName(folder + u'/' + name);
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return u"missing"_s;
    if (S_ISLNK(st.st_mode)) {
        char target[4096];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        return u"-> "_s + QFile::decodeName(QByteArray(target, n < 0 ? 0 : n));
    }
    return S_ISFIFO(st.st_mode)  ? u"fifo"_s
           : S_ISDIR(st.st_mode) ? u"folder"_s
           : S_ISCHR(st.st_mode) ? u"device"_s
                                 : u"file"_s;
}

void checkEntriesUnchanged(const QString& folder, const QStringList& entries)
{
    for (const QString& entry : entries)
        QCOMPARE(kindOf(folder, entry.section(u' ', 0, 0)), entry.section(u' ', 1));
}

// Opens a pipe for writing if the command still waits on it after two seconds, so that a load
// blocked in opening it fails the test instead of hanging it.
class PipeWatch {
public:
    explicit PipeWatch(const QString& pipe)
        : thread_([this, path = QFile::encodeName(pipe)] {
            for (int i = 0; i < 200 && !done_; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!done_)
                ::close(::open(path.constData(), O_WRONLY | O_NONBLOCK));
        })
    {
    }
    ~PipeWatch()
    {
        done_ = true;
        thread_.join();
    }
    PipeWatch(const PipeWatch&) = delete;
    PipeWatch& operator=(const PipeWatch&) = delete;

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// Rows of links that lead to no file, which neither command may follow: to a folder, round in
// a loop, into a missing folder. %1 in the message is the folder.
void addLinksToNoFile(const QString& name)
{
    QTest::newRow("a link to a folder") << QStringList{u"records folder"_s, name + u" -> records"_s}
                                        << u"不是文件：%1/"_s + name + u"（链接到 %1/records）"_s;
    QTest::newRow("a link loop") << QStringList{name + u" -> loop.dat"_s, u"loop.dat -> "_s + name}
                                 << u"符号链接循环：%1/"_s + name;
    QTest::newRow("a link into a missing folder")
        << QStringList{name + u" -> gone/"_s + name}
        << u"路径未找到：%1/"_s + name + u"（链接到 %1/gone/"_s + name + u"）"_s;
}

void trigger(Form1& form, const char* command)
{
    form.menu(command).action()->trigger();
}

// While it lives, root acts as the user "nobody", who may do only what the modes allow; any
// other user stays as it is. Real and effective IDs both change, as the system's access check
// goes by the real ones; the saved ones stay root's, to come back.
class NotRoot {
public:
    static constexpr uid_t kNobody = 65534;

    NotRoot()
        : root_(::geteuid() == 0)
    {
        if (root_ &&
            (::setresgid(kNobody, kNobody, 0) != 0 || ::setresuid(kNobody, kNobody, 0) != 0))
            qFatal("cannot act as nobody");
    }
    ~NotRoot()
    {
        if (root_ && (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0))
            qFatal("cannot act as root again");
    }
    NotRoot(const NotRoot&) = delete;
    NotRoot& operator=(const NotRoot&) = delete;

    // Gives the user the path, as the user's own folder or file would be.
    static bool own(const QString& path)
    {
        return ::geteuid() != 0 ||
               ::chown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0;
    }

private:
    bool root_;
};

} // namespace

class SpecialFilesTest : public HostTest {
    Q_OBJECT

private slots:
    void loadRefusesWhatIsNoFile_data();
    void loadRefusesWhatIsNoFile();
    void saveReplacesOnlyAFileThatIsNotTheSource_data();
    void saveReplacesOnlyAFileThatIsNotTheSource();
    void saveKeepsTheMode_data();
    void saveKeepsTheMode();
    void saveRefusesAFileTheUserMayNotWrite();
    void readingChecksWhatWasOpened_data();
    void readingChecksWhatWasOpened();
};

void SpecialFilesTest::loadRefusesWhatIsNoFile_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("message"); // %1 is the folder
    QTest::newRow("a pipe") << QStringList{u"student1.dat fifo"_s}
                            << u"不是文件：%1/student1.dat"_s;
    QTest::newRow("a link to a device") << QStringList{u"student1.dat -> /dev/zero"_s}
                                        << u"不是文件：%1/student1.dat（链接到 /dev/zero）"_s;
    QTest::newRow("a system file that reports no size")
        << QStringList{u"student1.dat -> /proc/self/pagemap"_s}
        << u"文件太大：%1/student1.dat（链接到 /proc/self/pagemap），超过了 4 MiB 的上限"_s;
    addLinksToNoFile(u"student1.dat"_s);
    QTest::newRow("a link to a missing file")
        << QStringList{u"student1.dat -> old.dat"_s}
        << u"文件未找到：%1/student1.dat（链接到 %1/old.dat）"_s;
}

void SpecialFilesTest::loadRefusesWhatIsNoFile()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, message);
    const QString folder = host->folder.path();
    QVERIFY(make(folder, entries));
    Form1 form;
    QElapsedTimer clock;
    clock.start();
    {
        std::optional<PipeWatch> watch;
        if (kindOf(folder, u"student1.dat"_s) == u"fifo")
            watch.emplace(folder + u"/student1.dat"_s);
        trigger(form, "MFile_Open");
    }
    QVERIFY2(clock.elapsed() < 2000, qPrintable(u"%1 ms"_s.arg(clock.elapsed())));
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->shown[0].prompt, message.arg(folder));
    QVERIFY(!form.ledger().Loaded);
    checkEntriesUnchanged(folder, entries);
}

void SpecialFilesTest::saveReplacesOnlyAFileThatIsNotTheSource_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("message"); // %1 is the folder; empty when the save goes through
    QTest::newRow("a link to student1.dat")
        << QStringList{u"student2.dat -> student1.dat"_s}
        << u"没有权限：%1/student2.dat 就是 %1/student1.dat，保存不能覆盖读入的文件"_s;
    QTest::newRow("a link to a pipe") << QStringList{u"pipe fifo"_s, u"student2.dat -> pipe"_s}
                                      << u"不是文件：%1/student2.dat（链接到 %1/pipe）"_s;
    QTest::newRow("a link to a device") << QStringList{u"null device"_s, u"student2.dat -> null"_s}
                                        << u"不是文件：%1/student2.dat（链接到 %1/null）"_s;
    addLinksToNoFile(u"student2.dat"_s);
    QTest::newRow("a link to a file elsewhere")
        << QStringList{u"records folder"_s, u"records/list.dat file"_s,
                       u"student2.dat -> records/list.dat"_s}
        << QString();
    QTest::newRow("a link to a new file elsewhere")
        << QStringList{u"records folder"_s, u"student2.dat -> records/list.dat"_s} << QString();
}

void SpecialFilesTest::saveReplacesOnlyAFileThatIsNotTheSource()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, message);
    const QString folder = host->folder.path();
    writeBytes(folder + u"/student1.dat"_s, kRecords);
    if (!make(folder, entries)) {
        if (entries.join(u' ').contains(u"device"_s))
            QSKIP("making a device needs root");
        QFAIL("the system refused to make one of the files");
    }
    Form1 form;
    trigger(form, "MFile_Open");
    trigger(form, "MFile_SaveAs");
    QCOMPARE(readBytes(folder + u"/student1.dat"_s), kRecords);
    if (message.isEmpty()) {
        QVERIFY(host->shown.isEmpty());
        QVERIFY(form.ledger().Saved);
        QCOMPARE(readBytes(folder + u"/records/list.dat"_s), kRecords);
        QCOMPARE(QDir(folder + u"/records"_s).entryList(QDir::Files), QStringList{u"list.dat"_s});
        entries.removeAll(u"records/list.dat file"_s); // now a file in any case
    } else {
        QCOMPARE(host->shown.size(), 1);
        QCOMPARE(host->shown[0].prompt, message.arg(folder));
        QVERIFY(!form.ledger().Saved);
    }
    checkEntriesUnchanged(folder, entries);
}

void SpecialFilesTest::saveKeepsTheMode_data()
{
    QTest::addColumn<int>("mode"); // the old student2.dat's; -1 when there is none
    QTest::addColumn<int>("saved");
    QTest::newRow("read-only") << 0444 << 0444;
    QTest::newRow("the group's alone") << 0040 << 0040;
    QTest::newRow("private") << 0600 << 0600;
    QTest::newRow("a first save, umask 022") << -1 << 0644;
}

void SpecialFilesTest::saveKeepsTheMode()
{
    QFETCH(int, mode);
    QFETCH(int, saved);
    const QByteArray two = QFile::encodeName(host->folder.filePath(u"student2.dat"_s));
    writeBytes(host->folder.filePath(u"student1.dat"_s), kRecords);
    if (mode >= 0) {
        writeBytes(QFile::decodeName(two), "old");
        QCOMPARE(::chmod(two.constData(), mode_t(mode)), 0);
    }
    const mode_t umask = ::umask(022);
    Form1 form;
    trigger(form, "MFile_Open");
    trigger(form, "MFile_SaveAs");
    ::umask(umask);
    QVERIFY(form.ledger().Saved);
    QCOMPARE(readBytes(QFile::decodeName(two)), kRecords);
    struct stat st;
    QCOMPARE(::stat(two.constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 07777), saved);
}

void SpecialFilesTest::saveRefusesAFileTheUserMayNotWrite()
{
    const QString folder = host->folder.path();
    const QString two = folder + u"/student2.dat"_s;
    writeBytes(folder + u"/student1.dat"_s, kRecords);
    writeBytes(two, "old");
    // The folder is the user's, so only the file's own mode stands in the way.
    QVERIFY(NotRoot::own(folder) && NotRoot::own(two));
    QCOMPARE(::chmod(QFile::encodeName(two).constData(), 0444), 0);
    Form1 form;
    trigger(form, "MFile_Open");
    {
        const NotRoot user;
        trigger(form, "MFile_SaveAs");
    }
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->shown[0].prompt, u"没有权限："_s + two);
    QVERIFY(!form.ledger().Saved);
    QCOMPARE(readBytes(two), QByteArray("old"));
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(two).constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 07777), 0444);
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             (QStringList{u"student1.dat"_s, u"student2.dat"_s}));
}

void SpecialFilesTest::readingChecksWhatWasOpened_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("a pipe") << QStringList{u"student1.dat fifo"_s};
    QTest::newRow("a link to a device") << QStringList{u"student1.dat -> /dev/zero"_s};
    QTest::newRow("a folder") << QStringList{u"student1.dat folder"_s};
}

// What the name was found to be may have changed by the time the file is opened: the reading
// itself neither waits on a pipe nor takes what it opened when that is no file.
void SpecialFilesTest::readingChecksWhatWasOpened()
{
    QFETCH(QStringList, entries);
    const QString path = host->folder.filePath(u"student1.dat"_s);
    QVERIFY(make(host->folder.path(), entries));
    QElapsedTimer clock;
    clock.start();
    std::variant<QByteArray, rt::FileFault> read;
    {
        std::optional<PipeWatch> watch;
        if (kindOf(host->folder.path(), u"student1.dat"_s) == u"fifo")
            watch.emplace(path);
        read = rt::readRegularFile(path, 1 << 20);
    }
    QVERIFY2(clock.elapsed() < 2000, qPrintable(u"%1 ms"_s.arg(clock.elapsed())));
    QVERIFY(std::holds_alternative<rt::FileFault>(read));
    QCOMPARE(std::get<rt::FileFault>(read).code, rt::ErrorCode::NotAFile);
}

QTEST_MAIN(SpecialFilesTest)

#include "tst_specialfiles.moc"
