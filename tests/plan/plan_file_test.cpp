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
    EXPECT_EQ(read_whole_file(path), bytes);
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
    EXPECT_EQ(read_whole_file(plain), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.qrn")});
}

TEST(PlanFile, AMissingFileCannotBeRead) {
    QTemporaryDir dir;
    EXPECT_FALSE(read_whole_file(dir.filePath(QStringLiteral("none.qrn"))).has_value());
}

}  // namespace
}  // namespace varnel
