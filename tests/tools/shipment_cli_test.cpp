#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tools/planner_cli.h"

namespace varnel {
namespace {

TEST(PlannerShipment, LinesAfterThePlanAndRefusals) {
    const std::string plan = "集装箱的利用效率：80.03%\n分5堆摆放共放130个包装箱\n";
    const std::vector<std::string> sizes = {"590", "235", "239", "60", "85", "40"};
    const struct {
        std::vector<std::string> options;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"--quantity", "500", "--carton-weight", "250", "--payload", "26000"},
         0,
         plan + "共需5个集装箱\n每个集装箱装104个包装箱（受载重限制）\n"
                "最后一个集装箱装84个包装箱，货重21000千克\n",
         ""},
        {{"--quantity", "260"},
         0,
         plan + "共需2个集装箱\n每个集装箱装130个包装箱（受容积限制）\n"
                "最后一个集装箱装130个包装箱\n未给出包装箱重量，未按载重核算\n",
         ""},
        {{"--carton-weight", "18.5", "--quantity", "131"},
         0,
         plan + "共需2个集装箱\n每个集装箱装130个包装箱（受容积限制）\n"
                "最后一个集装箱装1个包装箱，货重18.5千克\n集装箱载重未知，未按载重核算\n",
         ""},
        {{"--quantity", "0", "--carton-weight", "x"},
         2,
         "",
         "装运数量输入有误，请输入1至1000000000之间的整数\n"},
        {{"--quantity", "10", "--carton-weight", "-1"},
         2,
         "",
         "包装箱重量输入有误，请输入大于0的重量（千克）\n"},
        {{"--quantity", "1000", "--carton-weight", "3e38"},
         2,
         "",
         "包装箱重量输入有误，一个包装箱的重量不能超过100000千克\n"},
        {{"--quantity", "10", "--carton-weight", "20", "--payload", "0"},
         2,
         "",
         "集装箱载重输入有误，请输入大于0的重量（千克）\n"},
        {{"--quantity", "10", "--carton-weight", "2000", "--payload", "1000"},
         2,
         "",
         "包装箱重量超过集装箱载重，一个集装箱装不下一个包装箱\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = sizes;
        args.insert(args.end(), c.options.begin(), c.options.end());
        std::ostringstream out, err;
        EXPECT_EQ(run_planner(args, out, err), c.status) << c.options[1];
        EXPECT_EQ(out.str(), c.out) << c.options[1];
        EXPECT_EQ(err.str(), c.err) << c.options[1];
    }
}

// A refused shipment writes no plan file, and a weight needs a quantity.
TEST(PlannerShipment, NothingWrittenOnRefusalOrMisuse) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"590", "235", "239", "60", "85", "40", "--quantity", "x", "-o",
                                   "-"},
          {"590", "235", "239", "60", "85", "40", "--carton-weight", "18"},
          {"590", "235", "239", "60", "85", "40", "--quantity", "1", "--quantity", "2"},
          {"590", "235", "239", "60", "85", "40", "--quantity"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(run_planner(args, out, err), 2) << args.back();
        EXPECT_EQ(out.str(), "") << args.back();
    }
}

// The JSON object tells what the texts tell, and its last container holds
// its cartons in blocks.
TEST(PlannerShipment, JsonAgreesWithTheTexts) {
    const struct {
        std::vector<std::string> args;
        const char* limit;
        int lines_before;  // the plan's own text lines
    } cases[] = {
        {{"590", "235", "239", "60", "85", "40", "--quantity", "500", "--carton-weight", "250",
          "--payload", "26000"},
         "weight",
         2},
        {{"--optimise", "590", "235", "239", "60", "85", "40", "--quantity", "500",
          "--carton-weight", "250", "--payload", "26000"},
         "weight",
         3},
        {{"1203.2", "235", "239.2", "60", "40", "30", "--quantity", "5000", "--carton-weight",
          "18"},
         "volume",
         2},
        {{"590", "235", "239", "60", "85", "40", "--quantity", "260"}, "volume", 2},
    };
    for (const auto& c : cases) {
        std::ostringstream texts, json, err;
        ASSERT_EQ(run_planner(c.args, texts, err), 0) << err.str();
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        ASSERT_EQ(run_planner(args, json, err), 0) << err.str();

        const QJsonObject s = QJsonDocument::fromJson(QByteArray::fromStdString(json.str()))
                                  .object()
                                  .value(QStringLiteral("shipment"))
                                  .toObject();
        const QJsonObject last = s.value(QStringLiteral("last")).toObject();
        const auto number = [](const QJsonObject& o, const char* key) {
            return std::to_string(o.value(QString::fromUtf8(key)).toInteger());
        };
        std::string expected =
            "共需" + number(s, "containers") + "个集装箱\n每个集装箱装" +
            number(s, "per_container") + "个包装箱（受" +
            (s.value(QStringLiteral("limit")).toString() == QStringLiteral("weight") ? "载重"
                                                                                     : "容积") +
            "限制）\n最后一个集装箱装" + number(last, "cartons") + "个包装箱";
        if (!last.value(QStringLiteral("weight")).isNull()) {
            expected += "，货重" + number(last, "weight") + "千克";
        }
        std::istringstream lines(texts.str());
        std::string line, shipment_texts;
        for (int i = 0; i < c.lines_before + 3 && std::getline(lines, line); ++i) {
            if (i >= c.lines_before) shipment_texts += (shipment_texts.empty() ? "" : "\n") + line;
        }
        EXPECT_EQ(shipment_texts, expected) << c.args[0];
        EXPECT_EQ(s.value(QStringLiteral("limit")).toString(), QString::fromUtf8(c.limit));

        // The last container's blocks and its loading steps hold its cartons.
        for (const char* key : {"blocks", "steps"}) {
            std::int64_t in_blocks = 0;
            for (const QJsonValue& b : last.value(QString::fromUtf8(key)).toArray()) {
                const QJsonObject o = b.toObject();
                in_blocks += o.value(QStringLiteral("count_x")).toInteger() *
                             o.value(QStringLiteral("count_y")).toInteger() *
                             o.value(QStringLiteral("count_z")).toInteger();
            }
            EXPECT_EQ(in_blocks, last.value(QStringLiteral("cartons")).toInteger())
                << c.args[0] << " " << key;
        }
    }
}

// Where a carton weight is given, the plan and the last container give their
// centre of gravity and balance in the mixed plans' shape, recomputed here
// from the steps' boxes; without one, nothing of it.
TEST(PlannerShipment, JsonGivesTheCentreOfGravityWhereAWeightIsKnown) {
    const struct {
        std::vector<std::string> args;
        double carton_weight;  // 0: none given
    } cases[] = {
        {{"1203.2", "235", "239.2", "60", "40", "30", "--quantity", "5000", "--carton-weight",
          "18"},
         18},
        {{"--optimise", "590", "235", "239", "60", "85", "40", "--quantity", "500",
          "--carton-weight", "250", "--payload", "26000"},
         250},
        {{"590", "235", "239", "60", "85", "40", "--quantity", "260"}, 0},
        {{"590", "235", "239", "60", "85", "40"}, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        std::ostringstream json, err;
        ASSERT_EQ(run_planner(args, json, err), 0) << err.str();
        const QJsonObject plan =
            QJsonDocument::fromJson(QByteArray::fromStdString(json.str())).object();
        const QJsonObject box = plan.value(QStringLiteral("container")).toObject();
        // x across the width, y along the length.
        const double size[2] = {box.value(QStringLiteral("width")).toDouble(),
                                box.value(QStringLiteral("length")).toDouble()};
        std::vector<QJsonObject> loads{plan};
        if (plan.contains(QStringLiteral("shipment"))) {
            loads.push_back(plan.value(QStringLiteral("shipment"))
                                .toObject()
                                .value(QStringLiteral("last"))
                                .toObject());
        }
        for (const QJsonObject& load : loads) {
            if (c.carton_weight == 0) {
                EXPECT_FALSE(load.contains(QStringLiteral("centre_of_gravity"))) << c.args[0];
                EXPECT_FALSE(load.contains(QStringLiteral("balanced"))) << c.args[0];
                continue;
            }
            double cartons = 0, moment[3] = {0, 0, 0};
            for (const QJsonValue& v : load.value(QStringLiteral("steps")).toArray()) {
                const QJsonObject step = v.toObject();
                const QJsonArray side = step.value(QStringLiteral("size")).toArray();
                const char* at[3] = {"x", "y", "z"};
                const char* counts[3] = {"count_x", "count_y", "count_z"};
                double n = 1;
                for (const char* k : counts) n *= step.value(QString::fromUtf8(k)).toDouble();
                for (int k = 0; k < 3; ++k) {
                    const double span =
                        side[k].toDouble() * step.value(QString::fromUtf8(counts[k])).toDouble();
                    moment[k] += n * (step.value(QString::fromUtf8(at[k])).toDouble() + span / 2);
                }
                cartons += n;
            }
            ASSERT_GT(cartons, 0) << c.args[0];
            const QJsonObject centre = load.value(QStringLiteral("centre_of_gravity")).toObject();
            const QJsonObject offset = load.value(QStringLiteral("offset")).toObject();
            bool inside = true;
            const char* axis[3] = {"x", "y", "z"};
            for (int k = 0; k < 3; ++k) {
                const double expected = moment[k] / cartons;
                EXPECT_NEAR(centre.value(QString::fromUtf8(axis[k])).toDouble(), expected, 0.01)
                    << c.args[0] << " " << axis[k];
                if (k == 2) break;
                const double off = expected - size[k] / 2;
                EXPECT_NEAR(offset.value(QString::fromUtf8(axis[k])).toDouble(), off, 0.01)
                    << c.args[0] << " " << axis[k];
                inside = inside && std::abs(off) <= 0.05 * size[k];
            }
            EXPECT_EQ(load.value(QStringLiteral("balanced")).toBool(), inside) << c.args[0];
            EXPECT_NEAR(load.value(QStringLiteral("weight")).toDouble(), cartons * c.carton_weight,
                        1e-6 * cartons * c.carton_weight)
                << c.args[0];
        }
    }
}

}  // namespace
}  // namespace varnel
