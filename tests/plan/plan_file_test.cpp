#include "plan/plan_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(PlanFile, SavesAndReadsBackTheSameBytes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("方案A"));  // no extension added
    const std::string bytes("\r\n\r\nVarnel\xC8\xED\xBC\xFE\r\n\0x\r\n", 18);
    EXPECT_FALSE(save_file_atomically(path, bytes).has_value());
    EXPECT_EQ(read_whole_file(path).bytes, bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("方案A")});
}

TEST(PlanFile, AFailedSaveLeavesNoFileAndKeepsTheOldOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder in the way of the target: the write cannot be put in place.
    const QString blocked = dir.filePath(QStringLiteral("plan.qrn"));
    ASSERT_TRUE(QDir().mkdir(blocked));
    EXPECT_TRUE(save_file_atomically(blocked, "new").has_value());
    EXPECT_TRUE(QFileInfo(blocked).isDir());

    // A target below a plain file cannot even be opened.
    const QString plain = dir.filePath(QStringLiteral("old.qrn"));
    ASSERT_FALSE(save_file_atomically(plain, "old").has_value());
    const std::optional<QString> reason = save_file_atomically(plain + "/inner.qrn", "new");
    ASSERT_TRUE(reason.has_value());
    EXPECT_FALSE(reason->isEmpty());
    EXPECT_EQ(read_whole_file(plain).bytes, "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.qrn")});
}

// Reading stops at the limit, so neither a huge file nor a device without an
// end can fill memory; what was read is kept.
TEST(PlanFile, ReadsAtMostTheLimit) {
    using state = file_contents::state;
    QTemporaryDir dir;
    const QString five = dir.filePath(QStringLiteral("five.qrn"));
    ASSERT_FALSE(save_file_atomically(five, "12345").has_value());
    const struct {
        QString path;
        qint64 limit;
        state status;
        std::string bytes;
        bool too_large;
    } cases[] = {
        {dir.filePath(QStringLiteral("none.qrn")), 100, state::not_opened, "", false},
        {five, 5, state::read, "12345", false},
        {five, 4, state::cut_short, "1234", true},
    };
    for (const auto& c : cases) {
        if (!QFile::exists(c.path) && c.status != state::not_opened) continue;
        const file_contents got = read_whole_file(c.path, c.limit);
        EXPECT_EQ(got.status, c.status) << c.path.toStdString();
        EXPECT_EQ(got.bytes, c.bytes) << c.path.toStdString();
        EXPECT_EQ(got.too_large, c.too_large) << c.path.toStdString();
    }
}

// Only a plain file is read: a FIFO would wait for a writer for ever, a
// device may never end, a folder is no plan. Each is refused at once.
TEST(PlanFile, ReadsOnlyPlainFiles) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.qrn"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), dir.path()}) {
        const file_contents got = read_whole_file(path);
        EXPECT_EQ(got.status, file_contents::state::not_regular) << path.toStdString();
        EXPECT_EQ(got.bytes, "");
    }
}

// Sets a file size limit for the life of the object, as `ulimit -f` does,
// with the signal ignored so that the write fails instead.
class file_size_limit {
public:
    explicit file_size_limit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~file_size_limit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

// A write that fails part way (a full disk, a size limit) must neither put a
// cut-off file in place of the old one nor report success.
TEST(PlanFile, AWriteThatFailsPartWayKeepsTheOldFileByteForByte) {
    const struct {
        const char* name;
        std::size_t old_size, new_size;
        bool fails;
    } cases[] = {
        {"beyond the limit over a larger file", 3000, 2000, true},
        {"beyond the limit over a smaller file", 100, 2000, true},
        {"within the limit", 3000, 500, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.qrn"));
        const std::string old_bytes(c.old_size, 'o');
        ASSERT_FALSE(save_file_atomically(path, old_bytes).has_value());
        std::optional<QString> reason;
        {
            const file_size_limit limit(1024);
            reason = save_file_atomically(path, std::string(c.new_size, 'n'));
        }
        EXPECT_EQ(reason.has_value(), c.fails);
        EXPECT_EQ(read_whole_file(path).bytes, c.fails ? old_bytes : std::string(c.new_size, 'n'));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("old.qrn")});
    }
}

// A save killed between its write and its rename leaves its temporary
// behind: hidden, and named as the program's own, never like a user's file.
TEST(PlanFile, ASaveKilledBeforeItsRenameLeavesOnlyAHiddenFileOfItsOwn) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.qrm"));
    ASSERT_FALSE(save_file_atomically(path, "old").has_value());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The size limit's signal kills the save in its write.
        rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        save_file_atomically(path, std::string(4096, 'n'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(read_whole_file(path).bytes, "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plan.qrm")});
    const QStringList hidden =
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".plan"));
    ASSERT_EQ(hidden.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\.plan\\.qrm\\.varnel-[A-Za-z0-9]{6}$"))
                    .match(hidden.front())
                    .hasMatch())
        << hidden.front().toStdString();
}

// A save replaces the file a link leads to, the link staying, and keeps the
// permissions of the file it replaces.
TEST(PlanFile, ASaveKeepsLinksAndPermissions) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("plan.qrn"));
    const QString link = dir.filePath(QStringLiteral("link.qrn"));
    ASSERT_FALSE(save_file_atomically(target, "old").has_value());
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_FALSE(save_file_atomically(link, "new").has_value());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(read_whole_file(target).bytes, "new");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A device or a FIFO named as the target is written into, never replaced by
// a plain file; a FIFO nobody reads fails at once instead of waiting.
TEST(PlanFile, ADeviceOrFifoIsWrittenIntoNotReplaced) {
    QTemporaryDir dir;
    const QString read_fifo = dir.filePath(QStringLiteral("read.qrn"));
    const QString lonely_fifo = dir.filePath(QStringLiteral("lonely.qrn"));
    for (const QString& fifo : {read_fifo, lonely_fifo}) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    }
    const int reader = ::open(QFile::encodeName(read_fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);

    const struct {
        QString path;
        bool fails;
        mode_t type;
    } cases[] = {
        {QStringLiteral("/dev/null"), false, S_IFCHR},
        {QStringLiteral("/dev/full"), true, S_IFCHR},
        {read_fifo, false, S_IFIFO},
        {lonely_fifo, true, S_IFIFO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        if (!QFileInfo::exists(c.path)) continue;
        const std::optional<QString> reason = save_file_atomically(c.path, "plan bytes");
        EXPECT_EQ(reason.has_value(), c.fails);
        EXPECT_FALSE(reason.value_or(QStringLiteral("x")).isEmpty());
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(c.path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, c.type);
    }
    char got[32] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 10);
    EXPECT_EQ(std::string(got), "plan bytes");
    ::close(reader);
}

}  // namespace
}  // namespace varnel
