#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue_store.h"
#include "plan/mixed_plan_format.h"
#include "plan/plan_file.h"
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

// A write in progress on a catalogue file: a one-page cache spills the
// changes into the file before commit, so the writer holds the file's lock
// and its journal lies beside it until the write is rolled back.
class write_in_progress {
public:
    explicit write_in_progress(const QString& file) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(file);
        started_ = db.open() && run("PRAGMA cache_size=1") && run("BEGIN");
        for (int i = 0; started_ && i < 300; ++i) {
            started_ = run(QStringLiteral("INSERT INTO bao_stream (bao_name, bao_a, bao_b, bao_c) "
                                          "VALUES ('%1', 600, 400, 300)")
                               .arg(QString(200, QLatin1Char('x')) + QString::number(i)));
        }
    }
    ~write_in_progress() {
        run("ROLLBACK");
        QSqlDatabase::database(QStringLiteral("w")).close();
        QSqlDatabase::removeDatabase(QStringLiteral("w"));
    }
    write_in_progress(const write_in_progress&) = delete;
    write_in_progress& operator=(const write_in_progress&) = delete;

    bool started() const { return started_; }

private:
    static bool run(const QString& statement) {
        return QSqlQuery(QSqlDatabase::database(QStringLiteral("w"))).exec(statement);
    }
    static bool run(const char* statement) { return run(QString::fromLatin1(statement)); }

    bool started_ = false;
};

// Copies the catalogue as a window killed in the middle of a write leaves it:
// changed pages in the file and the journal to roll them back beside it.
void leave_unfinished_write(const QString& from, const QString& to_folder) {
    const QString target = to_folder + QStringLiteral("/qr_ji.qrd");
    const write_in_progress writer(from);
    ASSERT_TRUE(writer.started());
    for (const QString& suffix : {QString(), QStringLiteral("-journal")}) {
        ASSERT_TRUE(QFile::copy(from + suffix, target + suffix));
    }
}

// A program writing the catalogue right now is told apart from a write that
// never finished: the one asks for patience, the other for permissions.
TEST(planner_container_type, TellsALiveWriterFromAnUnfinishedWrite) {
    const test_support::catalogue_copy copy;
    const QTemporaryDir left;
    ASSERT_NO_FATAL_FAILURE(leave_unfinished_write(copy.file(), left.path()));
    const QString busy = QString::fromUtf8("集装箱数据库正被其他程序使用，请稍后再试");
    const QString unfinished = QString::fromUtf8("数据库有一次未完成的写入");

    const write_in_progress writer(copy.file());
    ASSERT_TRUE(writer.started());
    const struct {
        QString folder;
        bool read_only;
        const QString& says;
        const QString& not_says;
    } cases[] = {
        {copy.folder(), false, busy, unfinished},
        {copy.folder(), true, busy, unfinished},
        {left.path(), true, unfinished, busy},
    };
    for (const auto& c : cases) {
        const open_result opened =
            open_catalogue(c.folder, {QStringLiteral("other"), c.read_only, 50});
        EXPECT_FALSE(opened.store);
        EXPECT_TRUE(opened.error.contains(c.says)) << opened.error.toStdString();
        EXPECT_FALSE(opened.error.contains(c.not_says)) << opened.error.toStdString();
    }
}

// The planner rolls an unfinished write back as the window would, instead of
// refusing the catalogue until the window has been started again.
TEST(planner_container_type, RecoversAWriteLeftUnfinished) {
    const test_support::catalogue_copy copy;
    const QTemporaryDir left;
    ASSERT_NO_FATAL_FAILURE(leave_unfinished_write(copy.file(), left.path()));
    const run_result r = plan({"--container-type", "40尺柜", "60", "40", "30"}, left.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "集装箱的利用效率：74.51%\n分1堆摆放共放700个包装箱\n");
    EXPECT_FALSE(QFile::exists(left.path() + QStringLiteral("/qr_ji.qrd-journal")));

    // Where it cannot be rolled back, the message says why.
    const QTemporaryDir again;
    ASSERT_NO_FATAL_FAILURE(leave_unfinished_write(copy.file(), again.path()));
    const open_result read_only = open_catalogue(again.path(), {QStringLiteral("ro"), true});
    EXPECT_FALSE(read_only.store);
    EXPECT_NE(read_only.error.indexOf(QString::fromUtf8("数据库有一次未完成的写入")), -1)
        << read_only.error.toStdString();
}

// The payload comes from the catalogue unless --payload is given; a
// catalogue older than the payloads does not know it.
TEST(planner_container_type, PayloadFromTheCatalogue) {
    const test_support::catalogue_copy copy;
    const test_support::catalogue_copy older;
    const test_support::catalogue_copy heavy;  // a payload beyond 16 bits
    for (const auto& [catalogue, load] : {std::pair{&older, 0}, std::pair{&heavy, 40000}}) {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
        db.setDatabaseName(catalogue->file());
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(
            QStringLiteral("UPDATE jicicun SET ji_load = %1 WHERE ji_name = '40尺柜' OR %1 = 0")
                .arg(load)));
        db = {};
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
    }

    const std::string texts = "集装箱的利用效率：74.51%\n分1堆摆放共放700个包装箱\n";
    const std::vector<std::string> order = {"--container-type", "40尺柜", "60", "40", "30",
                                            "--quantity",       "5000"};
    const struct {
        const test_support::catalogue_copy* catalogue;
        std::vector<std::string> more;
        std::string out;
    } cases[] = {
        {&copy,
         {"--carton-weight", "40"},
         texts + "共需8个集装箱\n每个集装箱装668个包装箱（受载重限制）\n"
                 "最后一个集装箱装324个包装箱，货重12960千克\n"},
        {&copy,
         {"--carton-weight", "40", "--payload", "40000"},
         texts + "共需8个集装箱\n每个集装箱装700个包装箱（受容积限制）\n"
                 "最后一个集装箱装100个包装箱，货重4000千克\n"},
        {&older,
         {"--carton-weight", "40"},
         texts + "共需8个集装箱\n每个集装箱装700个包装箱（受容积限制）\n"
                 "最后一个集装箱装100个包装箱，货重4000千克\n集装箱载重未知，未按载重核算\n"},
        {&heavy,
         {"--carton-weight", "50"},
         texts + "共需8个集装箱\n每个集装箱装700个包装箱（受容积限制）\n"
                 "最后一个集装箱装100个包装箱，货重5000千克\n"},
        {&older,
         {"--carton-weight", "40", "--payload", "26730"},
         texts + "共需8个集装箱\n每个集装箱装668个包装箱（受载重限制）\n"
                 "最后一个集装箱装324个包装箱，货重12960千克\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = order;
        args.insert(args.end(), c.more.begin(), c.more.end());
        const run_result r = plan(args, c.catalogue->folder());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

// A mixed load takes the container's size and payload from the catalogue as
// the single planner does; the list is checked against them.
TEST(planner_container_type, MixedLoadsCheckTheListAgainstTheType) {
    const test_support::catalogue_copy copy;
    const QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("list.csv"));
    ASSERT_FALSE(save_file_atomically(list,
                                      "名称,长,宽,高,数量,毛重\n"
                                      "A,60,40,30,1,26730.5\n"
                                      "B,1203.3,40,30,1,\n"));
    const struct {
        std::vector<std::string> more;
        std::string err;
    } cases[] = {
        {{"--container-type", "40尺柜"},
         "装箱单第2行第6列（毛重）：包装箱重量超过集装箱载重，一个集装箱装不下一个包装箱\n"},
        {{"--container-type", "40尺柜", "--payload", "30000"},
         "装箱单第3行第2列（长）：包装箱按允许的摆放方式装不进集装箱\n"},
        {{"--container-type", "火星柜"}, "集装箱种类不存在：火星柜\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--mixed", list.toStdString()};
        args.insert(args.end(), c.more.begin(), c.more.end());
        const run_result r = plan(args, copy.folder());
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, c.err);
    }
}

// Cartons on a pallet: a catalogue pallet type, one typed by its sizes, and
// the refusals, each with its exit status.
TEST(planner_pallet, TextsAndRefusals) {
    const test_support::catalogue_copy copy;
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"--pallet", "欧标托盘", "40", "30", "25", "--carton-weight", "12.5"},
         0,
         "每托48箱：6层，每层8箱（受装载高度限制）\n各层摆放相同\n包装箱高度朝上\n"
         "已是最优方案：最多只能放48个包装箱\n装载后尺寸：120 × 80 × 164.4 cm\n毛重：625千克\n",
         ""},
        // 1000 kg of 30 kg cartons: 33, the top layer part full.
        {{"--carton-weight", "30", "--pallet", "欧标托盘", "40", "30", "25"},
         0,
         "每托33箱：5层，每层8箱，顶层1箱（受装载重量限制）\n各层摆放相同\n包装箱高度朝上\n"
         "已是最优方案：最多只能放33个包装箱\n装载后尺寸：120 × 80 × 139.4 cm\n毛重：1015千克\n",
         ""},
        {{"--pallet-size", "245", "140", "15", "40", "15", "15"},
         0,
         "每托57箱：1层，每层57箱（受装载高度限制）\n各层摆放相同\n包装箱高度朝上\n"
         "已是最优方案：最多只能放57个包装箱\n装载后尺寸：245 × 140 × 15 cm\n",
         ""},
        {{"--pallet", "火星托盘", "40", "30", "25"}, 2, "", "托盘种类不存在：火星托盘\n"},
        {{"--pallet", "欧标托盘", "130", "90", "20"},
         2,
         "",
         "包装箱比托盘大，托盘上放不下包装箱\n"},
        {{"--pallet", "欧标托盘", "40", "30", "160"},
         2,
         "",
         "包装箱高于托盘的装载高度，托盘上放不下包装箱\n"},
        {{"--pallet", "欧标托盘", "40", "30", "25", "--carton-weight", "1000.5"},
         2,
         "",
         "包装箱重量超过托盘的装载重量，托盘上放不下包装箱\n"},
        {{"--pallet-size", "0", "80", "150", "40", "30", "25"},
         2,
         "",
         "托盘的长度必须大于0，请重新输入\n"},
    };
    for (const auto& c : cases) {
        const run_result r = plan(c.args, copy.folder());
        EXPECT_EQ(r.status, c.status) << c.args[1];
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}

// The JSON in millimetres: every carton of every layer pattern on the deck,
// none overlapping, as many as each layer holds.
TEST(planner_pallet, JsonLayersLieOnTheDeck) {
    const test_support::catalogue_copy copy;
    const run_result r = plan({"--json", "--pallet", "标准托盘", "36", "26", "20"}, copy.folder());
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    EXPECT_EQ(json[QStringLiteral("pallet")][QStringLiteral("name")].toString(),
              QStringLiteral("标准托盘"));
    EXPECT_EQ(json[QStringLiteral("pallet")][QStringLiteral("length")].toDouble(), 1200.0);
    const auto per_layer = json[QStringLiteral("per_layer")].toInteger();
    EXPECT_EQ(json[QStringLiteral("cartons")].toInteger(),
              per_layer * json[QStringLiteral("layers")].toInteger());
    EXPECT_EQ(json[QStringLiteral("height")].toDouble(),
              150.0 + 200.0 * static_cast<double>(json[QStringLiteral("layers")].toInteger()));
    EXPECT_TRUE(json[QStringLiteral("weight")].isNull());
    for (const QJsonValue& layer : json[QStringLiteral("layer_patterns")].toArray()) {
        const QJsonArray cartons = layer.toArray();
        EXPECT_EQ(cartons.size(), per_layer);
        for (qsizetype a = 0; a < cartons.size(); ++a) {
            const QJsonObject c = cartons[a].toObject();
            const double x = c[QStringLiteral("x")].toDouble(),
                         y = c[QStringLiteral("y")].toDouble();
            const double l = c[QStringLiteral("length")].toDouble();
            const double w = c[QStringLiteral("width")].toDouble();
            EXPECT_TRUE(x >= 0 && y >= 0 && x + l <= 1200 && y + w <= 1000);
            for (qsizetype b = 0; b < a; ++b) {
                const QJsonObject d = cartons[b].toObject();
                const bool apart =
                    x + l <= d[QStringLiteral("x")].toDouble() ||
                    d[QStringLiteral("x")].toDouble() + d[QStringLiteral("length")].toDouble() <=
                        x ||
                    y + w <= d[QStringLiteral("y")].toDouble() ||
                    d[QStringLiteral("y")].toDouble() + d[QStringLiteral("width")].toDouble() <= y;
                EXPECT_TRUE(apart) << a << " and " << b;
            }
        }
    }
}

// An order on pallets: the list's 托盘 column names catalogue pallet types;
// the texts name each container's pallets by what they hold, the JSON gives
// each type's pallets, and the plan file opens with them; a pallet type the
// catalogue lacks is refused at its cell, as is a remainder neither way.
TEST(planner_mixed_pallets, TextsJsonFileAndRefusals) {
    const test_support::catalogue_copy copy;
    const QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("order.csv"));
    ASSERT_FALSE(save_file_atomically(list,
                                      "名称,长,宽,高,数量,毛重,托盘,可竖放\n"
                                      "纸箱A,40,30,25,100,12.5,欧标托盘,高\n"
                                      "纸箱B,60,40,40,12,15,,\n")
                     .has_value());
    const QString unknown = dir.filePath(QStringLiteral("unknown.csv"));
    ASSERT_FALSE(save_file_atomically(unknown,
                                      "名称,长,宽,高,数量,托盘\n"
                                      "纸箱A,40,30,25,100,欧标托盘\n"
                                      "纸箱B,60,40,40,12,火星托盘\n")
                     .has_value());
    const std::string order = list.toStdString(),
                      saved = dir.filePath(QStringLiteral("order.qrm")).toStdString();
    const std::vector<std::string> container{"590", "235", "239"};
    const auto args = [&](std::vector<std::string> a) {
        a.insert(a.begin() + 2, container.begin(), container.end());
        return a;
    };

    const run_result texts = plan(args({"--mixed", order, "-o", saved}), copy.folder());
    ASSERT_EQ(texts.status, 0) << texts.err;
    EXPECT_TRUE(texts.out.starts_with(
        "欧标托盘（纸箱A）：每托48箱：6层，每层8箱（受装载高度限制）；整托2个，零托1个（4箱）\n"))
        << texts.out;
    EXPECT_NE(texts.out.find("\n2个欧标托盘（纸箱A，每托48箱）\n"), std::string::npos);
    EXPECT_NE(texts.out.find("\n1个欧标托盘（纸箱A，每托4箱）\n"), std::string::npos);
    EXPECT_NE(texts.out.find("\n纸箱B：12个\n"), std::string::npos);
    // Counted as a crew counts: the cartons on the pallets, and two types.
    EXPECT_NE(texts.out.find("共装112个包装箱，2种"), std::string::npos) << texts.out;
    const mixed_read_result opened =
        read_mixed_plan(read_whole_file(QString::fromStdString(saved)).bytes);
    ASSERT_EQ(opened.status, mixed_read_status::ok) << mixed_read_message(opened);
    ASSERT_EQ(opened.plan->pallets.size(), 1u);
    EXPECT_EQ(opened.plan->pallets[0].pallet_name, "欧标托盘");

    const run_result loose =
        plan(args({"--mixed", order, "--remainder", "loose", "--stack-pallets", "--json"}),
             copy.folder());
    ASSERT_EQ(loose.status, 0) << loose.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(loose.out)).object();
    const QJsonArray pallets = json[QStringLiteral("pallets")].toArray();
    ASSERT_EQ(pallets.size(), 1);
    const QJsonObject a = pallets[0].toObject();
    EXPECT_EQ(a[QStringLiteral("type")].toString(), QStringLiteral("纸箱A"));
    EXPECT_EQ(a[QStringLiteral("pallet")].toString(), QStringLiteral("欧标托盘"));
    EXPECT_EQ(a[QStringLiteral("cartons_per_pallet")].toInt(), 48);
    EXPECT_EQ(a[QStringLiteral("layers")].toInt(), 6);
    EXPECT_EQ(a[QStringLiteral("per_layer")].toInt(), 8);
    EXPECT_EQ(a[QStringLiteral("full")].toInt(), 2);
    EXPECT_EQ(a[QStringLiteral("part")].toInt(), 0);
    EXPECT_EQ(a[QStringLiteral("loose")].toInt(), 4);
    EXPECT_EQ(a[QStringLiteral("size")].toArray(), (QJsonArray{1200, 800, 1644}));
    EXPECT_EQ(a[QStringLiteral("weight")].toDouble(), 625.0);
    EXPECT_TRUE(a[QStringLiteral("proven_optimal")].toBool());
    EXPECT_EQ(a[QStringLiteral("layer_patterns")].toArray()[0].toArray().size(), 8);
    // The loose rest is a type of its own beside the pallets and 纸箱B.
    EXPECT_EQ(json[QStringLiteral("types")].toArray().size(), 3);
    qint64 cartons = 0;
    for (const QJsonValue c : json[QStringLiteral("containers")].toArray())
        cartons += c.toObject()[QStringLiteral("cartons")].toInteger() *
                   c.toObject()[QStringLiteral("repeat")].toInteger();
    EXPECT_EQ(cartons, 112);

    const struct {
        std::vector<std::string> args;
        std::string err;
    } refusals[] = {
        {args({"--mixed", unknown.toStdString()}),
         "装箱单第3行第6列（托盘）：托盘种类不存在，请先在托盘种类中添加\n"},
        {args({"--mixed", order, "--remainder", "half"}), "--remainder须为loose或pallet\n"},
    };
    for (const auto& r : refusals) {
        const run_result refused = plan(r.args, copy.folder());
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, r.err);
    }
}

}  // namespace
}  // namespace varnel
