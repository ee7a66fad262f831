#include "tools/planner_cli.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <streambuf>

#include "engine/block_tables.h"
#include "plan/plan_file.h"
#include "tools/plan_json.h"

namespace varnel {
namespace {

struct run_result {
    int status;
    std::string out, err;
};

run_result plan(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = run_planner(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(Planner, ExitStatusesAndTexts) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"590", "235", "239", "60", "85", "40"},
         0,
         "集装箱的利用效率：80.03%\n分5堆摆放共放130个包装箱\n",
         ""},
        {{"--upright", "--single", "1200", "235", "239", "60", "40", "30"},
         0,
         "集装箱的利用效率：74.77%\n分1堆摆放共放700个包装箱\n",
         ""},
        {{"1200", "235", "239", "60", "40", "30", "--single", "--upright"},
         0,
         "集装箱的利用效率：74.77%\n分1堆摆放共放700个包装箱\n",
         ""},
        // The refusals themselves are tested with the calculation's input.
        {{"590", "235", "239", "14.9", "85", "40"}, 2, "", "包装箱的长度太小，程序计算不正常\n"},
        {{"50", "50", "50", "60", "85", "40"}, 1, "", "没有计算结果\n"},
        // A size, not an option; refused as the container dialogs refuse it.
        {{"-50", "235", "239", "60", "85", "40"}, 2, "", "集装箱的长度必须大于0，请重新输入\n"},
        {{"1000", "0", "-5", "53", "43", "31"}, 2, "", "集装箱的宽度必须大于0，请重新输入\n"},
        {{"1000", "235", "0", "53", "43", "31"}, 2, "", "集装箱的高度必须大于0，请重新输入\n"},
        // A container smaller than any carton but above 0 is the calculation's.
        {{"10", "235", "239", "53", "43", "31"}, 1, "", "没有计算结果\n"},
        {{"--", "590", "235", "239", "60", "85", "40"},
         0,
         "集装箱的利用效率：80.03%\n分5堆摆放共放130个包装箱\n",
         ""},
        {{"590", "235", "239", "60", "85", "40", "-o", "plan\xfe.qrn"},
         2,
         "",
         "文件名不是有效的UTF-8编码: plan\xfe.qrn\n"},
    };
    for (const auto& c : cases) {
        const run_result r = plan(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0];
        EXPECT_EQ(r.out, c.out) << c.args[0];
        EXPECT_EQ(r.err, c.err) << c.args[0];
    }
}

TEST(Planner, UsageForHelpAndForWrongArguments) {
    const run_result help = plan({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: varnel-plan"), std::string::npos);
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{},
                                                  {"590", "235", "239", "60", "85"},
                                                  {"590", "235", "239", "60", "85", "40", "7"},
                                                  {"--sideways", "1", "2", "3", "4", "5", "6"},
                                                  {"590", "235", "239", "60", "85", "40", "-o"}}) {
        const run_result r = plan(wrong);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage: varnel-plan"), std::string::npos);
    }
}

// Where help is asked for, by either command: a plan of one size takes
// --help as an option among the others, a packing list wherever it stands
// before "--", even as another option's value. Neither reads a file here.
TEST(Planner, HelpWhereEachCommandTakesIt) {
    const struct {
        std::vector<std::string> args;
        int status;         // 0: the help on standard output; 2: the usage on standard error
        const char* usage;  // how the text starts
    } cases[] = {
        {{"-h"}, 0, "usage: varnel-plan ["},
        {{"590", "235", "239", "60", "85", "40", "--help"}, 0, "usage: varnel-plan ["},
        {{"--help", "--sideways"}, 2, "usage: varnel-plan ["},
        {{"--", "--help"}, 2, "usage: varnel-plan ["},
        {{"--mixed", "--help"}, 0, "usage: varnel-plan --mixed"},
        {{"--mixed", "list.csv", "--payload", "-h"}, 0, "usage: varnel-plan --mixed"},
        {{"--mixed", "list.csv", "--sideways", "--help"}, 0, "usage: varnel-plan --mixed"},
        {{"--mixed", "list.csv", "--", "--help"}, 2, "usage: varnel-plan --mixed"},
    };
    for (const auto& c : cases) {
        const run_result r = plan(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_TRUE((c.status == 0 ? r.out : r.err).starts_with(c.usage)) << c.args.back();
        EXPECT_EQ(c.status == 0 ? r.err : r.out, "") << c.args.back();
    }
}

TEST(Planner, WritesThePlanFileAsSaveDoes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("plan.qrn")).toStdString();
    const run_result to_file = plan({"590", "235", "239", "60", "85", "40", "-o", path});
    EXPECT_EQ(to_file.status, 0);
    EXPECT_EQ(to_file.out, "集装箱的利用效率：80.03%\n分5堆摆放共放130个包装箱\n");

    const run_result to_stdout = plan({"590", "235", "239", "60", "85", "40", "-o", "-"});
    EXPECT_EQ(to_stdout.status, 0);
    EXPECT_EQ(read_whole_file(QString::fromStdString(path)).bytes, to_stdout.out);
    EXPECT_TRUE(to_stdout.out.starts_with("\r\n\r\nVarnel\xC8\xED\xBC\xFE\r\n"));
}

TEST(Planner, AFileThatCannotBeWrittenIsReportedAndNothingIsLost) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();  // a folder cannot become a plan
    const run_result r = plan({"590", "235", "239", "60", "85", "40", "-o", folder});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("文件保存出错，操作无法完成: " + folder)) << r.err;
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A stream that takes nothing, as standard output on a full disk.
class full_device : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(Planner, OutputThatCannotBeWrittenIsNoSuccess) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"590", "235", "239", "60", "85", "40"},
          {"590", "235", "239", "60", "85", "40", "-o", "-"},
          {"--help"}}) {
        full_device device;
        std::ostream out(&device);
        std::ostringstream err;
        EXPECT_EQ(run_planner(args, out, err), 3) << args.back();
        EXPECT_TRUE(err.str().starts_with("标准输出写入出错")) << err.str();
    }
}

// The name's bytes are the file's: one that is valid UTF-8 reaches exactly
// that file, and no other file is touched.
TEST(Planner, WritesTheFileItsNameNames) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    const std::string replacement = folder + "/plan\xef\xbf\xbd.qrn";  // U+FFFD
    ASSERT_FALSE(save_file_atomically(QFile::decodeName(replacement.c_str()), "other").has_value());

    const std::string chinese = folder + "/方案\xe4\xb8\x80.qrn";
    EXPECT_EQ(plan({"590", "235", "239", "60", "85", "40", "-o", chinese}).status, 0);
    EXPECT_EQ(plan({"590", "235", "239", "60", "85", "40", "-o", folder + "/plan\xfe.qrn"}).status,
              2);
    EXPECT_EQ(read_whole_file(QFile::decodeName(replacement.c_str())).bytes, "other");
    EXPECT_TRUE(read_whole_file(QFile::decodeName(chinese.c_str())).bytes.starts_with("\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(Planner, OptimisedTextsAddTheBoundsLine) {
    const struct {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"--optimise", "590", "235", "239", "60", "85", "40"},
         "集装箱的利用效率：84.95%\n分6堆摆放共放138个包装箱\n"
         "理论上最多可放146个包装箱，本方案已达其94.52%\n"},
        // Eight cubes fill a cube of twice their side: proven best.
        {{"--optimise", "100", "100", "100", "50", "50", "50"},
         "集装箱的利用效率：100%\n分1堆摆放共放8个包装箱\n已是最优方案：最多只能放8个包装箱\n"},
    };
    for (const auto& c : cases) {
        const run_result r = plan(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
    }
    EXPECT_EQ(plan({"--optimise", "50", "50", "50", "60", "85", "40"}).err, "没有计算结果\n");
}

// The JSON tells what the texts tell, with or without --optimise.
TEST(Planner, JsonAgreesWithTheTexts) {
    const std::vector<std::string> sizes{"590", "235", "239", "60", "85", "40"};
    for (const std::vector<std::string>& options : {std::vector<std::string>{},
                                                    {"--upright"},
                                                    {"--single"},
                                                    {"--optimise"},
                                                    {"--optimise", "--upright"}}) {
        std::vector<std::string> args = options;
        args.insert(args.end(), sizes.begin(), sizes.end());
        const run_result texts = plan(args);
        args.push_back("--json");
        const run_result json = plan(args);
        ASSERT_EQ(json.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
        const auto number = [&](const char* key) {
            return QString::number(o.value(QLatin1String(key)).toDouble()).toStdString();
        };
        std::string expected = "集装箱的利用效率：" + number("utilisation") + "%\n分" +
                               number("stacks") + "堆摆放共放" + number("cartons") + "个包装箱\n";
        const bool optimised = !options.empty() && options[0] == "--optimise";
        if (optimised) {
            expected += o.value(QLatin1String("proven_optimal")).toBool()
                            ? "已是最优方案：最多只能放" + number("upper_bound") + "个包装箱\n"
                            : "理论上最多可放" + number("upper_bound") + "个包装箱，本方案已达其";
        }
        EXPECT_TRUE(texts.out.starts_with(expected)) << texts.out << " vs " << expected;
        EXPECT_EQ(o.value(QLatin1String("optimised")).toBool(), optimised);
        // Only an optimised plan says whether the clock cut its search short;
        // the budget, not the clock, ends these.
        EXPECT_EQ(o.contains(QLatin1String("cut_short")), optimised);
        EXPECT_FALSE(o.value(QLatin1String("cut_short")).toBool());
        EXPECT_EQ(o.value(QLatin1String("container"))
                      .toObject()
                      .value(QLatin1String("length"))
                      .toDouble(),
                  5900);
        EXPECT_EQ(
            o.value(QLatin1String("carton")).toObject().value(QLatin1String("width")).toDouble(),
            850);
        const QJsonArray blocks = o.value(QLatin1String("blocks")).toArray();
        EXPECT_EQ(blocks.size(), o.value(QLatin1String("stacks")).toInt());
        double cartons = 0;
        for (const auto& b : blocks) {
            const QJsonObject block = b.toObject();
            cartons += block.value(QLatin1String("count_x")).toDouble() *
                       block.value(QLatin1String("count_y")).toDouble() *
                       block.value(QLatin1String("count_z")).toDouble();
        }
        EXPECT_EQ(cartons, o.value(QLatin1String("cartons")).toDouble());
    }
}

TEST(Planner, JsonSaysWhenTheClockCutTheSearchShort) {
    const calculation_input in{600, 850, 400, 2350, 5900, 2390};
    load_model model;
    run_calculation(model, in, false, true);
    plan_facts facts{in, false, false, true, 146, standard_blocks(model), &model.stacks};
    facts.cut_short = true;
    EXPECT_TRUE(plan_json(facts).value(QLatin1String("cut_short")).toBool());
}

}  // namespace
}  // namespace varnel
