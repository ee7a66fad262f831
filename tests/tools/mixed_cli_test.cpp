#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/mixed/mixed_summary.h"
#include "plan/mixed_plan_format.h"
#include "plan/plan_file.h"
#include "tests/support/mixed_example.h"
#include "tools/mixed_output.h"
#include "tools/planner_cli.h"

namespace varnel {
namespace {

struct run_result {
    int status;
    std::string out, err;
};

run_result plan(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = run_planner(args, out, err);
    return {status, out.str(), err.str()};
}

class mixed_planner : public ::testing::Test {
protected:
    std::string file(const char* name, std::string_view bytes) {
        const QString path = dir_.filePath(QString::fromUtf8(name));
        EXPECT_FALSE(save_file_atomically(path, bytes).has_value());
        return path.toStdString();
    }
    std::string path(const char* name) {
        return dir_.filePath(QString::fromUtf8(name)).toStdString();
    }

private:
    QTemporaryDir dir_;
};

TEST_F(mixed_planner, RefusalsAndExitStatuses) {
    const std::string list = file("list.csv", "名称,长,宽,高,数量,毛重\nA,60,40,30,5,20\n");
    const std::string bad = file("bad.csv", "名称,长,宽,高,数量\nA,60,40,30,0\n");
    const std::string heavy = file("heavy.csv", "名称,长,宽,高,数量,毛重\nA,60,40,30,1000,3e38\n");
    const std::string missing = path("missing.csv");
    const std::string folder = path("");
    const std::string fifo = path("list.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // One byte past the largest list the planner reads.
    const std::string huge = file("huge.csv", std::string(16 * 1024 * 1024 + 1, '\n'));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;  // the start of standard error
    } cases[] = {
        {{"--mixed", list, "590", "235"}, 2, "usage: varnel-plan --mixed"},
        {{"--mixed", list, "--container-type", "40尺柜", "590"}, 2, "usage: varnel-plan --mixed"},
        {{"--mixed", list, "590", "235", "239", "--single"}, 2, "usage: varnel-plan --mixed"},
        {{"--mixed", list, "590", "235", "239", "--containers"}, 2, "usage: varnel-plan --mixed"},
        {{"--mixed", bad, "590", "235", "239"},
         2,
         "装箱单第2行第5列（数量）：数量输入有误，请输入1至1000000000之间的整数\n"},
        {{"--mixed", list, "59", "23", "23"},
         2,
         "装箱单第2行第2列（长）：包装箱按允许的摆放方式装不进集装箱\n"},
        {{"--mixed", list, "590", "235", "239", "--payload", "19.5"},
         2,
         "装箱单第2行第6列（毛重）：包装箱重量超过集装箱载重，一个集装箱装不下一个包装箱\n"},
        {{"--mixed", missing, "590", "235", "239"}, 2, "查找不到文件: " + missing + "\n"},
        {{"--mixed", folder, "590", "235", "239"}, 2, "装箱单不是文件: " + folder + "\n"},
        {{"--mixed", fifo, "590", "235", "239"}, 2, "装箱单不是文件: " + fifo + "\n"},
        {{"--mixed", huge, "590", "235", "239"}, 2, "装箱单文件太大（超过16 MB）: " + huge + "\n"},
        {{"--mixed", heavy, "1203", "235", "239"},
         2,
         "装箱单第2行第6列（毛重）：毛重输入有误，一个包装箱的重量不能超过100000千克\n"},
        {{"--mixed", list, "590", "0", "239"},
         2,
         "集装箱尺寸输入有误，请输入大于0的长、宽、高（厘米）\n"},
        {{"--mixed", list, "590", "235", "239", "--payload", "heavy"},
         2,
         "集装箱载重输入有误，请输入大于0的重量（千克）\n"},
        {{"--mixed", list, "590", "235", "239", "--containers", "0"},
         2,
         "集装箱数输入有误，请输入大于0的整数\n"},
        {{"--mixed", list, "590", "235", "239", "-o", "plan\xfe.qrm"},
         2,
         "文件名不是有效的UTF-8编码: plan\xfe.qrm\n"},
        {{"--mixed", list, "590", "235", "239", "--report", "plan.txt"},
         2,
         "装箱指导书的文件名须以.pdf或.xlsx结尾: plan.txt\n"},
        {{"--mixed", list, "590", "235", "239", "--paper", "A4"}, 2, "usage: varnel-plan --mixed"},
    };
    for (const auto& c : cases) {
        const run_result r = plan(c.args);
        EXPECT_EQ(r.status, c.status) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_TRUE(r.err.starts_with(c.err)) << r.err;
    }
    const run_result help = plan({"--mixed", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: varnel-plan --mixed")) << help.out;
}

// Every plan the planner prints keeps the rules, and the file it writes
// opens to the same blocks. Every carton of this list fits the container,
// so the planner must load some: "没有计算结果" (exit 1) is a fault here.
TEST_F(mixed_planner, PrintsAndWritesPlansThatKeepTheRules) {
    const std::string list = file("list.csv",
                                  "名称,长,宽,高,数量,毛重,可竖放,可堆码\n"
                                  "A,60,40,30,40,20,,\n"
                                  "B,80,60,100,6,,H,否\n"
                                  "C,45.5,35,25,30,8,WH,\n");
    const std::string saved = path("plan.qrm");
    const run_result r = plan({"--mixed", list, "590", "235", "239", "--containers", "2",
                               "--payload", "700", "--json", "-o", saved});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const mixed_read_result opened =
        read_mixed_plan(read_whole_file(QString::fromStdString(saved)).bytes);
    ASSERT_EQ(opened.status, mixed_read_status::ok) << mixed_read_message(opened);
    const mixed_plan_file& file = *opened.plan;
    ASSERT_FALSE(file.plan.containers.empty());
    EXPECT_LE(file.plan.containers.size(), 2u);
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    const QJsonArray containers = json[QStringLiteral("containers")].toArray();
    ASSERT_EQ(static_cast<std::size_t>(containers.size()), file.plan.containers.size());
    const auto rules = rules_of(file.cartons);
    for (qsizetype c = 0; c < containers.size(); ++c) {
        block_list blocks;
        for (const QJsonValue v : containers[c].toObject()[QStringLiteral("blocks")].toArray()) {
            const QJsonObject b = v.toObject();
            const std::size_t type = static_cast<std::size_t>(b[QStringLiteral("type")].toInt());
            const QJsonArray size = b[QStringLiteral("size")].toArray();
            std::optional<std::int16_t> orientation;
            for (std::int16_t o = 1; o <= 6; ++o) {
                const auto e = rotated(file.cartons.at(type).size, o);
                if (e[0] == size[0].toDouble() && e[1] == size[1].toDouble() &&
                    e[2] == size[2].toDouble() && rules[type].allowed.allows(o))
                    orientation = o;
            }
            ASSERT_TRUE(orientation.has_value());
            blocks.push_back({b[QStringLiteral("x")].toDouble(), b[QStringLiteral("y")].toDouble(),
                              b[QStringLiteral("z")].toDouble(), *orientation,
                              static_cast<std::int16_t>(b[QStringLiteral("count_x")].toInt()),
                              static_cast<std::int16_t>(b[QStringLiteral("count_y")].toInt()),
                              static_cast<std::int16_t>(b[QStringLiteral("count_z")].toInt()),
                              type});
        }
        EXPECT_TRUE(check_placement(blocks, rules, file.container).valid()) << "container " << c;
        EXPECT_EQ(blocks.size(), file.plan.containers[static_cast<std::size_t>(c)].blocks.size());
    }
}

// When -o, --report and the list name one file (compared as files: "./" or
// a link is the same file), nothing is planned or written: exit 2.
TEST_F(mixed_planner, OneFileNamedTwiceIsRefusedBeforeAnythingIsWritten) {
    const std::string bytes = "名称,长,宽,高,数量\nA,60,40,30,5\n";
    const std::string list = file("list.csv", bytes);
    const std::string pdf_list = file("list.pdf", bytes);  // a list may have any name
    const std::string report = path("r.pdf");
    const std::string linked = path("linked.csv");
    const std::string hard = path("hard.csv");
    ASSERT_EQ(::symlink(list.c_str(), linked.c_str()), 0);
    ASSERT_EQ(::link(list.c_str(), hard.c_str()), 0);
    const std::string dotted = path(".") + "/./list.csv";
    const std::string over_list = "输出文件与装箱单是同一个文件，装箱单会被覆盖: ";
    const std::string over_report = "装箱指导书与方案文件是同一个文件，一个会覆盖另一个: ";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--mixed", list, "590", "235", "239", "-o", list}, over_list + list},
        {{"--mixed", list, "590", "235", "239", "-o", dotted}, over_list + dotted},
        {{"--mixed", linked, "590", "235", "239", "-o", list}, over_list + list},
        {{"--mixed", list, "590", "235", "239", "-o", hard}, over_list + hard},
        {{"--mixed", pdf_list, "590", "235", "239", "--report", pdf_list}, over_list + pdf_list},
        {{"--mixed", list, "590", "235", "239", "-o", report, "--report", report},
         over_report + report},
        {{"590", "235", "239", "60", "40", "30", "-o", report, "--report", report},
         over_report + report},
    };
    for (const auto& c : cases) {
        const run_result r = plan(c.args);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_EQ(r.err, c.err + "\n");
        EXPECT_EQ(read_whole_file(QString::fromStdString(list)).bytes, bytes) << c.err;
        EXPECT_EQ(read_whole_file(QString::fromStdString(pdf_list)).bytes, bytes) << c.err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(report))) << c.err;
    }
    // A plan file beside the list, or standard output, is no clash.
    EXPECT_EQ(plan({"--mixed", list, "590", "235", "239", "-o", path("plan.qrm")}).status, 0);
    EXPECT_EQ(plan({"--mixed", list, "590", "235", "239", "-o", "-"}).status, 0);
}

// The largest orders answer, every container but the last as full as the
// first, identical ones said once: a billion cartons of one type, and a
// hundred thousand rows of one carton, which are one type.
TEST_F(mixed_planner, LargeOrdersOfOneCartonAnswerWithEveryContainer) {
    std::string rows = "name,length,width,height,quantity\n";
    for (int i = 0; i < 100'000; ++i) rows += "A,60,40,30,1\n";
    const struct {
        const char* name;
        std::string list;
        std::int64_t cartons;
    } cases[] = {
        {"a billion", "name,length,width,height,quantity\nA,60,40,30,1000000000\n", 1'000'000'000},
        {"100000 rows", rows, 100'000},
    };
    for (const auto& c : cases) {
        const run_result r =
            plan({"--mixed", file("order.csv", c.list), "1203.2", "235", "239.2", "--json"});
        ASSERT_EQ(r.status, 0) << c.name << r.err;
        const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
        EXPECT_FALSE(json[QStringLiteral("cut_short")].toBool()) << c.name;
        EXPECT_EQ(json[QStringLiteral("unloaded")].toInteger(), 0) << c.name;
        EXPECT_EQ(json[QStringLiteral("types")].toArray().size(), 1) << c.name;
        const QJsonArray containers = json[QStringLiteral("containers")].toArray();
        ASSERT_FALSE(containers.isEmpty()) << c.name;
        const std::int64_t full = containers[0].toObject()[QStringLiteral("cartons")].toInteger();
        std::int64_t count = 0, loaded = 0;
        for (const QJsonValue v : containers) {
            const QJsonObject k = v.toObject();
            count += k[QStringLiteral("repeat")].toInteger();
            loaded +=
                k[QStringLiteral("repeat")].toInteger() * k[QStringLiteral("cartons")].toInteger();
        }
        EXPECT_EQ(loaded, c.cartons) << c.name;
        EXPECT_EQ(count, (c.cartons + full - 1) / full) << c.name;
        EXPECT_LE(containers.size(), 3) << c.name;
        const run_result text =
            plan({"--mixed", file("order.csv", c.list), "1203.2", "235", "239.2"});
        EXPECT_TRUE(text.out.starts_with("第1至")) << text.out;
        EXPECT_NE(text.out.find("个集装箱（每个相同）\n"), std::string::npos) << text.out;
        EXPECT_NE(text.out.find("合计：" + std::to_string(count) + "个集装箱，共装" +
                                std::to_string(c.cartons) + "个包装箱\n"),
                  std::string::npos)
            << text.out;
    }
}

// The list may be kept as CSV, .xlsx (also as openpyxl writes it, with the
// window's names in 可竖放) or .ods: the planner plans each alike.
TEST_F(mixed_planner, ReadsListsOfEveryKindItsImportReads) {
    std::vector<std::string> lists;
    for (const char* name : {"list.csv", "list.xlsx", "list.ods"}) {
        lists.push_back(std::string(VARNEL_LISTS_DIR "/") + name);
    }
    // Without a Python that has openpyxl (./dev test installs it) that list is left out.
    if (!std::string_view(VARNEL_OPENPYXL_PYTHON).empty()) {
        lists.push_back(path("openpyxl.xlsx"));
        QProcess python;
        python.start(QStringLiteral(VARNEL_OPENPYXL_PYTHON),
                     {QStringLiteral(VARNEL_OPENPYXL_LIST), QString::fromStdString(lists.back())});
        ASSERT_TRUE(python.waitForFinished(60000));
        ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    }
    const run_result csv =
        plan({"--mixed", lists.front(), "590", "235", "239", "--containers", "1"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    for (const std::string& list : lists) {
        const run_result r = plan({"--mixed", list, "590", "235", "239", "--containers", "1"});
        EXPECT_EQ(r.status, 0) << list << ": " << r.err;
        EXPECT_EQ(r.out, csv.out) << list;
    }
}

// The texts and the JSON of the hand-made plan.
TEST(mixed_output, TextsPerContainerThenTotalAndWhatIsLeft) {
    const mixed_plan_file f = test_support::mixed_example();
    const std::vector<std::string> expected{
        "第1个集装箱（共2个）",
        "集装箱的利用效率：6.51%",
        "共装8个包装箱，2种",
        "A：6个",
        "B：2个",
        "第2个集装箱（共2个）",
        "集装箱的利用效率：0.86%",
        "共装4个包装箱，1种，货重50千克",
        "A：4个",
        "重心偏离中心255 cm，超出允许的30 cm",
        "合计：2个集装箱，共装12个包装箱",
        "未装入2个包装箱",
        "A：2个",
        "集装箱载重未知，未按载重核算",
    };
    EXPECT_EQ(mixed_lines(f, summarise_mixed(f.plan, f.cartons, f.container.size)), expected);
}

// A run of identical containers is said once with its numbers, counted in
// the total; a plan cut short says so last.
TEST(mixed_output, ARunOfContainersOnceAndAPlanCutShort) {
    mixed_plan_file f = test_support::mixed_example();
    f.cartons[0].quantity = 30;
    f.plan.containers[1].repeat = 2;
    f.plan.unloaded = {16, 0};
    f.plan.cut_short = true;
    const mixed_summary m = summarise_mixed(f.plan, f.cartons, f.container.size);
    const std::vector<std::string> expected{
        "第1个集装箱（共3个）",
        "集装箱的利用效率：6.51%",
        "共装8个包装箱，2种",
        "A：6个",
        "B：2个",
        "第2至3个集装箱（每个相同）",
        "集装箱的利用效率：0.86%",
        "共装4个包装箱，1种，货重50千克",
        "A：4个",
        "重心偏离中心255 cm，超出允许的30 cm",
        "合计：3个集装箱，共装16个包装箱",
        "未装入16个包装箱",
        "A：16个",
        "集装箱载重未知，未按载重核算",
        "计算量过大，已提前结束：未装入的包装箱没有计算，请分成几张装箱单计算",
    };
    EXPECT_EQ(mixed_lines(f, m), expected);
    const QJsonObject json = mixed_json(f, m);
    EXPECT_TRUE(json[QStringLiteral("cut_short")].toBool());
    const QJsonArray containers = json[QStringLiteral("containers")].toArray();
    ASSERT_EQ(containers.size(), 2);
    EXPECT_EQ(containers[0].toObject()[QStringLiteral("repeat")].toInteger(), 1);
    EXPECT_EQ(containers[1].toObject()[QStringLiteral("repeat")].toInteger(), 2);
    // Four A at the far end: weighed, unbalanced; the first holds B, unweighed.
    EXPECT_FALSE(containers[1].toObject()[QStringLiteral("balanced")].toBool(true));
    EXPECT_EQ(containers[1]
                  .toObject()[QStringLiteral("offset")]
                  .toObject()[QStringLiteral("y")]
                  .toDouble(),
              -2550);
    EXPECT_FALSE(containers[0].toObject().contains(QStringLiteral("balanced")));
    EXPECT_EQ(
        json[QStringLiteral("types")].toArray()[0].toObject()[QStringLiteral("loaded")].toInteger(),
        14);
}

// B's weight is unknown: the container has neither a weight nor a centre
// of gravity.
TEST(mixed_output, JsonInTheDocumentedShape) {
    mixed_plan_file f = test_support::mixed_example();
    // As typed, not as the float holds it.
    f.cartons[0].size[0] = 600.3f;
    f.plan.containers.pop_back();
    const QJsonObject json = mixed_json(f, summarise_mixed(f.plan, f.cartons, f.container.size));
    const QByteArray expected =
        R"({"container":{"height":2390,"length":5900,"width":2350},)"
        R"("containers":[{"blocks":[)"
        R"({"count_x":3,"count_y":2,"count_z":1,"max_load_carried":0,"size":[600.3,400,300],)"
        R"("type":0,"x":0,"y":0,"z":0},)"
        R"({"count_x":2,"count_y":1,"count_z":1,"max_load_carried":0,"size":[800,600,1800],)"
        R"("type":1,"x":0,"y":800,"z":0}],)"
        R"("cartons":8,"centre_of_gravity":null,)"
        R"("repeat":1,"steps":[)"
        R"({"count_x":3,"count_y":2,"count_z":1,"size":[600.3,400,300],)"
        R"("type":0,"wall":1,"x":0,"y":0,"z":0},)"
        R"({"count_x":2,"count_y":1,"count_z":1,"size":[800,600,1800],)"
        R"("type":1,"wall":1,"x":0,"y":800,"z":0}],)"
        R"("utilisation":6.51,"weight":null}],"cut_short":false,)"
        R"("types":[{"height":300,"length":600.3,"loaded":6,"name":"A",)"
        R"("quantity":12,"weight":12.5,"width":400},)"
        R"({"height":1800,"length":800,"loaded":2,"name":"B",)"
        R"("quantity":2,"weight":null,"width":600}],"unloaded":6})";
    EXPECT_EQ(QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString(),
              expected.toStdString());

    // Weighed, the centre follows the weights as the texts write them:
    // along x, (75 kg * 1800.9 / 2 + 80 kg * 800) / 155 kg.
    f.cartons[1].weight = 40.0;
    const QJsonObject weighed =
        mixed_json(
            f, summarise_mixed(f.plan, f.cartons, f.container.size))[QStringLiteral("containers")]
            .toArray()[0]
            .toObject();
    EXPECT_EQ(weighed[QStringLiteral("weight")].toDouble(), 155.0);
    EXPECT_EQ(QJsonDocument(weighed[QStringLiteral("centre_of_gravity")].toObject())
                  .toJson(QJsonDocument::Compact)
                  .toStdString(),
              R"({"x":848.6049,"y":761.2903,"z":537.0968})");
}

}  // namespace
}  // namespace varnel
