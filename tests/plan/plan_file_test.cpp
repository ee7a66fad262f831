#include "plan/plan_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    } cases[] = {
        {dir.filePath(QStringLiteral("none.qrn")), 100, state::not_opened, ""},
        {five, 5, state::read, "12345"},
        {five, 4, state::cut_short, "1234"},
        {QStringLiteral("/dev/zero"), 70000, state::cut_short, std::string(70000, '\0')},
    };
    for (const auto& c : cases) {
        if (!QFile::exists(c.path) && c.status != state::not_opened) continue;
        const file_contents got = read_whole_file(c.path, c.limit);
        EXPECT_EQ(got.status, c.status) << c.path.toStdString();
        EXPECT_EQ(got.bytes, c.bytes) << c.path.toStdString();
    }
}

}  // namespace
}  // namespace varnel
