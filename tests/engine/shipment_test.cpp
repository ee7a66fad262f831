#include "engine/shipment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

TEST(Shipment, ContainersLimitAndLastContainer) {
    const struct {
        const char* quantity;
        const char* weight;
        const char* payload;
        std::int64_t plan;
        std::vector<std::string> lines;
        shipment_limit limit;
    } cases[] = {
        // An exact multiple fills the last container too.
        {"3600",
         "",
         "",
         1200,
         {"共需3个集装箱", "每个集装箱装1200个包装箱（受容积限制）", "最后一个集装箱装1200个包装箱",
          "未给出包装箱重量，未按载重核算"},
         shipment_limit::volume},
        {"3601",
         " ",
         "\u3000",
         1200,
         {"共需4个集装箱", "每个集装箱装1200个包装箱（受容积限制）", "最后一个集装箱装1个包装箱",
          "未给出包装箱重量，未按载重核算"},
         shipment_limit::volume},
        {"2960",
         "18",
         "21600",
         1500,
         {"共需3个集装箱", "每个集装箱装1200个包装箱（受载重限制）",
          "最后一个集装箱装560个包装箱，货重10080千克"},
         shipment_limit::weight},
        // The float nearest 18.7 is a hair above it: still 1000 cartons.
        {"1000",
         "18.7",
         "18700",
         1500,
         {"共需1个集装箱", "每个集装箱装1000个包装箱（受载重限制）",
          "最后一个集装箱装1000个包装箱，货重18700千克"},
         shipment_limit::weight},
        {"300000",
         "0.1",
         "26480",
         999999,
         {"共需2个集装箱", "每个集装箱装264800个包装箱（受载重限制）",
          "最后一个集装箱装35200个包装箱，货重3520千克"},
         shipment_limit::weight},
        // Payload for exactly the plan's cartons: the volume still sets it.
        {"50",
         "20",
         "1000",
         50,
         {"共需1个集装箱", "每个集装箱装50个包装箱（受容积限制）",
          "最后一个集装箱装50个包装箱，货重1000千克"},
         shipment_limit::volume},
        {"5",
         "30000",
         "30000",
         50,
         {"共需5个集装箱", "每个集装箱装1个包装箱（受载重限制）",
          "最后一个集装箱装1个包装箱，货重30000千克"},
         shipment_limit::weight},
        {"5000",
         "18.5",
         "",
         700,
         {"共需8个集装箱", "每个集装箱装700个包装箱（受容积限制）",
          "最后一个集装箱装100个包装箱，货重1850千克", "集装箱载重未知，未按载重核算"},
         shipment_limit::volume},
        {"5000",
         "",
         "26480",
         700,
         {"共需8个集装箱", "每个集装箱装700个包装箱（受容积限制）", "最后一个集装箱装100个包装箱",
          "未给出包装箱重量，未按载重核算"},
         shipment_limit::volume},
        // Counts beyond a float's 24 bits stay exact.
        {"999999999",
         "",
         "",
         1000,
         {"共需1000000个集装箱", "每个集装箱装1000个包装箱（受容积限制）",
          "最后一个集装箱装999个包装箱", "未给出包装箱重量，未按载重核算"},
         shipment_limit::volume},
        {" 1e9 ",
         "",
         "",
         1,
         {"共需1000000000个集装箱", "每个集装箱装1个包装箱（受容积限制）",
          "最后一个集装箱装1个包装箱", "未给出包装箱重量，未按载重核算"},
         shipment_limit::volume},
        // The heaviest carton taken, the whole order in one container: a
        // finite cargo.
        {"1000000000",
         "100000",
         "",
         1000000000,
         {"共需1个集装箱", "每个集装箱装1000000000个包装箱（受容积限制）",
          "最后一个集装箱装1000000000个包装箱，货重1E+14千克", "集装箱载重未知，未按载重核算"},
         shipment_limit::volume},
    };
    for (const auto& c : cases) {
        const auto result = plan_shipment(shipment_texts{c.quantity, c.weight, c.payload}, c.plan);
        ASSERT_TRUE(std::holds_alternative<shipment>(result)) << c.quantity;
        const shipment& s = std::get<shipment>(result);
        EXPECT_EQ(shipment_lines(s), c.lines) << c.quantity;
        EXPECT_EQ(s.limit, c.limit) << c.quantity;
        EXPECT_EQ((s.containers - 1) * s.per_container + s.last_cartons, s.quantity);
    }
}

TEST(Shipment, RefusalsNameTheirField) {
    const struct {
        const char* quantity;
        const char* weight;
        const char* payload;
        std::int64_t plan;
        const char* message;
        shipment_field field;
    } cases[] = {
        {"0", "", "", 10, "装运数量输入有误，请输入1至1000000000之间的整数",
         shipment_field::quantity},
        {"", "", "", 10, "装运数量输入有误，请输入1至1000000000之间的整数",
         shipment_field::quantity},
        {"1000000001", "", "", 10, "装运数量输入有误，请输入1至1000000000之间的整数",
         shipment_field::quantity},
        {"12.5", "", "", 10, "装运数量输入有误，请输入1至1000000000之间的整数",
         shipment_field::quantity},
        {"-3", "", "", 10, "装运数量输入有误，请输入1至1000000000之间的整数",
         shipment_field::quantity},
        {"5千", "x", "", 10, "装运数量输入有误，请输入1至1000000000之间的整数",
         shipment_field::quantity},
        {"5", "0", "", 10, "包装箱重量输入有误，请输入大于0的重量（千克）",
         shipment_field::carton_weight},
        {"5", "-1", "x", 10, "包装箱重量输入有误，请输入大于0的重量（千克）",
         shipment_field::carton_weight},
        {"5", "1e39", "", 10, "包装箱重量输入有误，请输入大于0的重量（千克）",
         shipment_field::carton_weight},
        // A cargo of 3e38 kg a carton has no finite total.
        {"1000", "3e38", "", 10, "包装箱重量输入有误，一个包装箱的重量不能超过100000千克",
         shipment_field::carton_weight},
        {"5", "100000.01", "x", 10, "包装箱重量输入有误，一个包装箱的重量不能超过100000千克",
         shipment_field::carton_weight},
        {"5", "1e-50", "", 10, "包装箱重量输入有误，请输入大于0的重量（千克）",
         shipment_field::carton_weight},
        {"5", "18", "0", 10, "集装箱载重输入有误，请输入大于0的重量（千克）",
         shipment_field::payload},
        {"5", "18", "inf", 10, "集装箱载重输入有误，请输入大于0的重量（千克）",
         shipment_field::payload},
        {"5", "30000.5", "30000", 10, "包装箱重量超过集装箱载重，一个集装箱装不下一个包装箱",
         shipment_field::carton_weight},
        {"0", "x", "x", 0, "装箱方案中没有包装箱，无法计算装运计划", shipment_field::plan},
    };
    for (const auto& c : cases) {
        const auto result = plan_shipment(shipment_texts{c.quantity, c.weight, c.payload}, c.plan);
        ASSERT_TRUE(std::holds_alternative<shipment_refusal>(result)) << c.quantity << c.weight;
        const shipment_refusal& r = std::get<shipment_refusal>(result);
        EXPECT_STREQ(r.message, c.message) << c.quantity << c.weight;
        EXPECT_EQ(r.field, c.field) << c.quantity << c.weight;
    }
}

}  // namespace
}  // namespace varnel
