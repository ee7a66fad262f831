#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/catalogue/catalogue_copy.h"
#include "tools/planner_cli.h"

namespace varnel {
namespace {

struct run_result {
    int status;
    std::string out;
    std::string err;
};

run_result plan(const std::vector<std::string>& args, const QString& folder) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = run_planner(args, out, err, folder);
    return {status, out.str(), err.str()};
}

// A container type plans exactly as its size typed into the container fields.
TEST(planner_container_type, PlansAsTheTypedSizeWould) {
    const test_support::catalogue_copy copy;
    const struct {
        std::vector<std::string> by_type;
        std::vector<std::string> by_size;
    } cases[] = {
        {{"--container-type", "40尺柜", "60", "40", "30"},
         {"1203.2", "235", "239.2", "60", "40", "30"}},
        {{"--single", "--container-type", "45尺高柜  ", "58.5", "38.5", "45", "--upright"},
         {"--single", "--upright", "1355.6", "234.7", "269.6", "58.5", "38.5", "45"}},
        {{"--container-type", "20尺冷藏柜", "-o", "-", "60", "40", "30"},
         {"-o", "-", "544", "228", "218", "60", "40", "30"}},
    };
    for (const auto& c : cases) {
        const run_result typed = plan(c.by_size, copy.folder());
        ASSERT_EQ(typed.status, 0) << typed.err;
        const run_result looked_up = plan(c.by_type, copy.folder());
        EXPECT_EQ(looked_up.status, 0);
        EXPECT_EQ(looked_up.out, typed.out);
        EXPECT_EQ(looked_up.err, "");
    }
}

TEST(planner_container_type, Refusals) {
    const test_support::catalogue_copy copy;
    const QTemporaryDir empty;
    const std::string missing = QDir::toNativeSeparators(empty.filePath("qr_ji.qrd")).toStdString();
    const struct {
        std::vector<std::string> args;
        QString folder;
        std::string err_start;
    } cases[] = {
        {{"--container-type", "火星柜", "60", "40", "30"},
         copy.folder(),
         "集装箱种类不存在：火星柜\n"},
        {{"--container-type", "40尺柜", "60", "40", "30"},
         empty.path(),
         "无法打开数据库文件“" + missing + "”：文件不存在\n"},
        {{"--container-type", "40尺柜", "1203.2", "235", "239.2", "60", "40", "30"},
         copy.folder(),
         "usage: varnel-plan"},
    };
    for (const auto& c : cases) {
        const run_result r = plan(c.args, c.folder);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(0, c.err_start.size()), c.err_start);
    }
}

}  // namespace
}  // namespace varnel
