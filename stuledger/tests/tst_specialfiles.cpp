// What student1.dat may be besides a plain file, made for real as Linux makes them: a pipe, a
// device, a system file that reports no size, links that loop or lead nowhere. The load
// answers at once with a message that names the file and says what is wrong, and leaves every
// file as it was.
#include "form1.h"
#include "students.h"
#include "tests/testhost.h"

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

namespace {

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

// Rows of links that lead to no file, which may not be followed: to a folder, round in
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

} // namespace

class SpecialFilesTest : public QObject {
    Q_OBJECT

private slots:
    void loadRefusesWhatIsNoFile_data();
    void loadRefusesWhatIsNoFile();
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
    TestHost host;
    const QString folder = host.folder.path();
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
    QCOMPARE(host.shown.size(), 1);
    QCOMPARE(host.shown[0].prompt, message.arg(folder));
    QVERIFY(!form.ledger().Loaded);
    checkEntriesUnchanged(folder, entries);
}

QTEST_MAIN(SpecialFilesTest)

#include "tst_specialfiles.moc"
