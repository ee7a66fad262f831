#pragma once

// Texts of the loading instructions (the PDF and the spreadsheet), exactly
// as the loader reads them.
namespace varnel::text::inline report {

inline constexpr const char* report_title = "装箱指导书";

// What kind of plan the report is of.
inline constexpr const char* kind_standard = "标准计算";
inline constexpr const char* kind_optimised = "优化计算";
inline constexpr const char* kind_shipment = "装运计划";
inline constexpr const char* kind_mixed = "混装计算";

// The summary page.
inline constexpr const char* plan_label = "方案：";
inline constexpr const char* date_label = "日期：";
inline constexpr const char* container_label = "集装箱：";
inline constexpr const char* typed_container = "自定义尺寸";
inline constexpr const char* inner_size = "内尺寸（长 × 宽 × 高）：";
inline constexpr const char* payload_label = "载重：";
inline constexpr const char* kg_suffix = " 千克";
inline constexpr const char* order_containers_prefix = "本订单共需 ";
inline constexpr const char* order_containers_suffix = " 个集装箱";
inline constexpr const char* last_container_note = "本指导书为最后一个集装箱的装法";
inline constexpr const char* full_container_note = "本指导书为装满的一个集装箱的装法";

inline constexpr const char* column_colour = "颜色";
inline constexpr const char* column_carton = "包装箱";
inline constexpr const char* column_size = "尺寸（长 × 宽 × 高）";
inline constexpr const char* column_count = "箱数";
inline constexpr const char* column_carton_weight = "单箱毛重";
inline constexpr const char* column_weight = "重量";
inline constexpr const char* column_container = "集装箱";
inline constexpr const char* column_utilisation = "利用率";
inline constexpr const char* column_centre = "重心距里端";

inline constexpr const char* total_prefix = "共装 ";
inline constexpr const char* total_middle = " 个包装箱，分 ";
inline constexpr const char* total_suffix = " 步装入";
// "共装 130 个包装箱，分 2 面墙、5 步装入": walls across the width, far end first.
inline constexpr const char* walls_middle = " 面墙、";
inline constexpr const char* utilisation_label = "容积利用率：";
inline constexpr const char* cargo_weight_label = "货重：";
inline constexpr const char* weight_unknown = "未给出包装箱重量";
inline constexpr const char* of_payload_prefix = "（载重 ";
inline constexpr const char* of_payload_suffix = " 千克）";
inline constexpr const char* centre_label = "纵向重心：距里端 ";
inline constexpr const char* centre_middle = "（集装箱中点 ";
inline constexpr const char* towards_door = "，偏向箱门 ";
inline constexpr const char* towards_far_end = "，偏向里端 ";
inline constexpr const char* centre_suffix = "）";
inline constexpr const char* whole_load = "装载全图";
// "横向重心：距左侧 118 cm（集装箱中点 118 cm）"; "重心允许范围：前后 ±30 cm，左右 ±12
// cm；重心在允许范围内"; "最重承压：52 千克（允许 90 千克）".
inline constexpr const char* across_label = "横向重心：距左侧 ";
inline constexpr const char* band_label = "重心允许范围：前后 ±";
inline constexpr const char* band_middle = "，左右 ±";
inline constexpr const char* band_separator = "；";
inline constexpr const char* carried_label = "最重承压：";
inline constexpr const char* allowed_prefix = "（允许 ";
inline constexpr const char* allowed_suffix = "）";

// How to read the steps, at the foot of the summary.
inline constexpr const char* reading_notes[] = {
    "装箱顺序：从里端向箱门一面墙一面墙地装，每面墙由下往上；人站在箱底即可够到每一步。",
    "列：沿集装箱宽度方向；排：沿集装箱长度方向；层：向上。",
    "起点：该步第一个箱子的位置，距里端、距左侧（从箱门向里看）、距箱底，单位 cm。",
    "图中新装的一步以鲜明的颜色、斜线和粗边显示，之前装好的以浅色显示。",
};

// Each step.
inline constexpr const char* steps_heading = "装箱步骤";
// A pallet type's page: "第1层（俯视）".
inline constexpr const char* layer_view_prefix = "第";
inline constexpr const char* layer_view_suffix = "层（俯视）";
inline constexpr const char* step_number_prefix = "第 ";
inline constexpr const char* step_number_suffix = " 步";
inline constexpr const char* step_carton = "包装箱：";
inline constexpr const char* step_count = "数量：";
inline constexpr const char* step_stance = "摆放：";
inline constexpr const char* step_carton_extent = "每箱（横 × 纵 × 高）：";
inline constexpr const char* step_start = "起点：";
inline constexpr const char* from_far_end = "距里端 ";
inline constexpr const char* from_left = "距左侧 ";
inline constexpr const char* from_floor = "距箱底 ";
inline constexpr const char* step_total = "累计：";
// Each wall's heading: "第2面墙：距里端 106–212 cm".
inline constexpr const char* wall_prefix = "第";
inline constexpr const char* wall_middle = "面墙：距里端 ";
inline constexpr const char* wall_dash = "–";
// A plan no crew can load in order from the door: which step breaks which rule.
inline constexpr const char* order_fault_prefix = "注意：无法按步骤从箱门装入，第 ";
inline constexpr const char* order_blocked = " 步须穿过已装的货物";
inline constexpr const char* order_out_of_reach = " 步离已装货物的门侧面超过 1.5 m，须爬上货物";
inline constexpr const char* order_support_after = " 步放在之后才装的货物上";
inline constexpr const char* cartons = " 箱";
inline constexpr const char* equals = " = ";
inline constexpr const char* slash = " / ";

// The pictures.
inline constexpr const char* door = "箱门";
inline constexpr const char* far_end = "里端";

// Every page's foot: "第 2 页 / 共 5 页".
inline constexpr const char* page_prefix = "第 ";
inline constexpr const char* page_middle = " 页 / 共 ";
inline constexpr const char* page_suffix = " 页";

// The spreadsheet: one sheet of steps per container.
inline constexpr const char* sheet_name = "装箱步骤";
inline constexpr const char* sheet_columns[] = {
    "步骤",     "包装箱",       "列（宽度方向）", "排（长度方向）", "层",       "箱数",
    "摆放方式", "距里端（cm）", "距左侧（cm）",   "距箱底（cm）",   "累计箱数", "墙"};
// The last sheet: each container's figures, a row each.
inline constexpr const char* figures_sheet_name = "装载概要";
inline constexpr const char* figures_columns[] = {"集装箱",
                                                  "箱数",
                                                  "容积利用率（%）",
                                                  "货重（kg）",
                                                  "重心距里端（cm）",
                                                  "重心距左侧（cm）",
                                                  "前后允许（±cm）",
                                                  "左右允许（±cm）",
                                                  "重心",
                                                  "最重承压（kg）",
                                                  "允许承压（kg）"};

}  // namespace varnel::text::report
