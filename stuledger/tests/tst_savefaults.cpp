// The save command when the write of student2.dat really fails: a read-only folder, a file
// that may not grow (as on a full disk), and the program killed at each step of a large save.
// Each time the old student2.dat must stay as it was, byte for byte, and whatever a killed save
// leaves behind goes with the next save.
#include "form1.h"
#include "students.h"
#include "tests/filetest.h"
#include "tests/hosttest.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;
using namespace stuledger;
using filetest::gbk;
using filetest::readBytes;
using filetest::writeBytes;

namespace {

const QByteArray kOld = gbk(u"\"旧  \",\"女\",30\r\n"_s);
// The command line on which the test starts itself as the program to kill.
const char kChildSwitch[] = "--save-in";

QByteArray recordsFile(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += gbk(
            u"\"张三%1\",\"%2\",%3\r\n"_s.arg(i % 10).arg(i % 3 ? u"男"_s : u"女"_s).arg(i % 90));
    return bytes;
}

// A folder holding student1.dat with the given records and an old student2.dat.
void prepare(const QString& folder, int records)
{
    writeBytes(folder + u"/student1.dat"_s, recordsFile(records));
    writeBytes(folder + u"/student2.dat"_s, kOld);
}

void trigger(Form1& form, const char* command)
{
    form.menu(command).action()->trigger();
}

// After the save command failed: the old file, no Saved flag, one message naming the file.
void checkFailedSave(const TestHost& host, const Form1& form)
{
    const QString two = host.folder.filePath(u"student2.dat"_s);
    QCOMPARE(readBytes(two), kOld);
    QVERIFY(!form.ledger().Saved);
    QCOMPARE(host.shown.size(), 1);
    QVERIFY2(host.shown[0].prompt.contains(QDir::toNativeSeparators(two)),
             qPrintable(host.shown[0].prompt));
    QCOMPARE(QDir(host.folder.path()).entryList(QDir::Files),
             (QStringList{u"student1.dat"_s, u"student2.dat"_s}));
}

// Makes a folder read-only for this process while it lives. Root writes through permission
// bits, so then the folder is bound read-only onto itself in a mount namespace of this thread
// alone (every file operation of the test runs on it); without root, the bits do.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder)
        : path_(QFile::encodeName(folder))
    {
        if (geteuid() != 0) {
            chmodded_ = ::chmod(path_.constData(), 0555) == 0;
            if (!chmodded_)
                why_ = u"chmod: "_s + QString::fromLocal8Bit(std::strerror(errno));
        } else if (!privateMounts()) {
            why_ = u"no private mount namespace (unshare or mount refused: "_s +
                   QString::fromLocal8Bit(std::strerror(errno)) + u')';
        } else if (::mount(path_.constData(), path_.constData(), nullptr, MS_BIND, nullptr) != 0) {
            why_ = u"bind mount refused: "_s + QString::fromLocal8Bit(std::strerror(errno));
        } else {
            mounted_ = true;
            if (::mount(nullptr, path_.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                        nullptr) != 0)
                why_ =
                    u"read-only remount refused: "_s + QString::fromLocal8Bit(std::strerror(errno));
        }
        if (why_.isEmpty() && writable())
            why_ = u"the folder still takes new files"_s;
    }
    ~ReadOnlyFolder()
    {
        if (mounted_)
            ::umount2(path_.constData(), MNT_DETACH);
        if (chmodded_)
            ::chmod(path_.constData(), 0700);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // Empty when the folder is read-only; otherwise why it could not be made so.
    const QString& why() const { return why_; }

private:
    static bool privateMounts()
    {
        static const bool done = ::unshare(CLONE_NEWNS) == 0 &&
                                 ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        return done;
    }
    bool writable() const
    {
        const QByteArray probe = path_ + "/probe";
        const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0)
            return false;
        ::close(fd);
        ::unlink(probe.constData());
        return true;
    }

    QByteArray path_;
    QString why_;
    bool mounted_ = false;
    bool chmodded_ = false;
};

// While it lives, no file of this process may grow beyond the given size; a write past it
// fails as on a full disk, instead of the signal that would end the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool set() const { return set_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool set_ = false;
};

// The size of the file that a process has open in the folder other than student1.dat (the
// save's temporary file), or -1 while it has none.
qint64 openTemporaryFileSize(qint64 pid, const QString& folder)
{
    const QString fds = u"/proc/%1/fd"_s.arg(pid);
    for (const QString& fd :
         QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray link = QFile::encodeName(fds + u'/' + fd);
        char target[4096];
        const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
        if (n <= 0)
            continue;
        const QString name = QFile::decodeName(QByteArray(target, n));
        struct stat st;
        if (name.startsWith(folder + u'/') && !name.endsWith(u"/student1.dat"_s) &&
            ::stat(link.constData(), &st) == 0)
            return st.st_size;
    }
    return -1;
}

#if defined(__x86_64__)
constexpr quint32 kArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr quint32 kArch = AUDIT_ARCH_AARCH64;
#else
constexpr quint32 kArch = 0; // no filter for other machines: those steps are skipped
#endif

// The system calls that begin a step of the save: giving the unnamed temporary its name, and
// putting it in the old file's place.
std::vector<int> callsOf(const QString& step)
{
    if (step == u"naming")
        return {SYS_linkat, SYS_link};
    if (step == u"replacing")
        return {SYS_rename, SYS_renameat, SYS_renameat2};
    return {};
}

// From now on the system kills this process at its first call of any of the calls. That
// stops a save at an exact step, where a stop from outside would come too late.
bool killAtCalls(const std::vector<int>& calls)
{
    if (kArch == 0)
        return false;
    std::vector<sock_filter> program{
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    for (const int call : calls) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// The exit code of a child that could not be made to die at its step.
constexpr int kNoFilter = 3;
// What the child prints as it starts to save.
const char kSaving[] = "saving\n";

// The program as the child runs it: load the records, then save them, in the given folder;
// killed by the system at the step's first call, if it has one.
int saveAsAChild(const QString& folder, const QString& step)
{
    struct InFolder : TestHost {
        QString path;
        QString appPath() override { return path; }
    } host;
    host.path = folder;
    Form1 form;
    trigger(form, "MFile_Open");
    if (!callsOf(step).empty() && !killAtCalls(callsOf(step)))
        return kNoFilter;
    std::fputs(kSaving, stdout); // the parent knows the child got this far
    std::fflush(stdout);
    trigger(form, "MFile_SaveAs");
    return form.ledger().Saved ? 0 : 1;
}

// True when the folder's file system has unnamed temporary files, so a save's temporary gets
// its name only just before it takes the old file's place.
bool unnamedTemporaries(const QString& folder)
{
    QTemporaryFile probe(folder + u"/probe.XXXXXX"_s);
    return probe.open() && QDir(folder).entryList({u"probe.*"_s}, QDir::Files).isEmpty();
}

} // namespace

class SaveFaultsTest : public HostTest {
    Q_OBJECT

private slots:
    void readOnlyFolder();
    void fileSizeLimit();
    void killedWhileSaving_data();
    void killedWhileSaving();
};

void SaveFaultsTest::readOnlyFolder()
{
    prepare(host->folder.path(), 3);
    Form1 form;
    trigger(form, "MFile_Open");
    {
        const ReadOnlyFolder readOnly(host->folder.path());
        if (!readOnly.why().isEmpty())
            QSKIP(qPrintable(u"cannot make the folder read-only: "_s + readOnly.why()));
        trigger(form, "MFile_SaveAs");
    }
    checkFailedSave(*host, form);
    QVERIFY(host->shown[0].prompt.startsWith(u"没有权限"_s));
}

void SaveFaultsTest::fileSizeLimit()
{
    prepare(host->folder.path(), 2000); // some 36 KB to write
    Form1 form;
    trigger(form, "MFile_Open");
    {
        const FileSizeLimit limit(8192);
        QVERIFY(limit.set());
        trigger(form, "MFile_SaveAs");
    }
    checkFailedSave(*host, form);
    QVERIFY(host->shown[0].prompt.startsWith(u"磁盘已满"_s));

    // Room again: the same command now writes the whole list.
    trigger(form, "MFile_SaveAs");
    QVERIFY(form.ledger().Saved);
    QCOMPARE(readBytes(host->folder.filePath(u"student2.dat"_s)), recordsFile(2000));
}

void SaveFaultsTest::killedWhileSaving_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("writing") << u"writing"_s;
    QTest::newRow("naming the temporary") << u"naming"_s;
    QTest::newRow("putting it in place") << u"replacing"_s;
}

void SaveFaultsTest::killedWhileSaving()
{
    QFETCH(QString, step);
    // As the process's open files name it, through any link in the temporary folder's path.
    const QString folder = QFileInfo(host->folder.path()).canonicalFilePath();
    prepare(folder, StudentLedger::kMaxRecords);
    const qint64 full = recordsFile(StudentLedger::kMaxRecords).size();
    const bool unnamed = unnamedTemporaries(folder);

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kChildSwitch), folder, step});
    QVERIFY(child.waitForStarted());
    const qint64 pid = child.processId();

    if (step == u"writing") {
        // Stopped as soon as the first part of the new list is on disk, the child is checked
        // to be in the middle of the save, then killed.
        qint64 written = -1;
        QElapsedTimer clock;
        clock.start();
        while (!child.waitForFinished(0) && clock.elapsed() < 120000) {
            if (openTemporaryFileSize(pid, folder) > 0) {
                ::kill(pid_t(pid), SIGSTOP);
                written = openTemporaryFileSize(pid, folder);
                break;
            }
            QThread::usleep(200);
        }
        if (child.state() == QProcess::Running)
            ::kill(pid_t(pid), SIGKILL);
        QVERIFY(child.waitForFinished());
        QVERIFY2(written > 0 && written < full,
                 qPrintable(u"stopped with %1 of %2 bytes written"_s.arg(written).arg(full)));
    } else {
        QVERIFY(child.waitForFinished(120000));
        if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == kNoFilter)
            QSKIP("the system would not kill the child at a system call");
        if (step == u"naming" && !unnamed)
            QSKIP("the temporary has its name from the start here");
    }
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(child.readAllStandardOutput(), QByteArray(kSaving));
    QCOMPARE(readBytes(folder + u"/student2.dat"_s), kOld);

    // What is left is the save's own temporary: only once it has a name, and by that name.
    QStringList left = QDir(folder).entryList(QDir::Files);
    left.removeAll(u"student1.dat"_s);
    left.removeAll(u"student2.dat"_s);
    const bool named = step == u"replacing" || (step == u"writing" && !unnamed);
    QCOMPARE(left.size(), named ? 1 : 0);
    static const QRegularExpression ours(u"^student2\\.dat\\.保存中\\.[0-9A-Za-z]{6}$"_s);
    for (const QString& name : left)
        QVERIFY2(ours.match(name).hasMatch(), qPrintable(name));

    // The next save takes it away.
    Form1 form;
    trigger(form, "MFile_Open");
    trigger(form, "MFile_SaveAs");
    QVERIFY(form.ledger().Saved);
    QCOMPARE(readBytes(folder + u"/student2.dat"_s), recordsFile(StudentLedger::kMaxRecords));
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             (QStringList{u"student1.dat"_s, u"student2.dat"_s}));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], kChildSwitch) == 0)
        return saveAsAChild(QFile::decodeName(argv[2]), QString::fromLatin1(argv[3]));
    SaveFaultsTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savefaults.moc"
