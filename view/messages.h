#pragma once

// Texts of the load view, exactly as the user reads them.
namespace varnel::text::inline view {

// The stack text: "显示第" k "堆包装箱" for stack k alone, "显示前" m
// "堆包装箱" for the first m stacks together.
inline constexpr const char* showing_stack = "显示第";
inline constexpr const char* showing_first = "显示前";
inline constexpr const char* stacks_of_cartons = "堆包装箱";

// The axis legend's names of the carton faces and edges.
inline constexpr const char* legend_top = "顶面";
inline constexpr const char* legend_front = "正面";
inline constexpr const char* legend_side = "侧面";
inline constexpr const char* legend_length = "长";
inline constexpr const char* legend_width = "宽";
inline constexpr const char* legend_height = "高";

// The last row of a type legend too long for its corner, %1 the types left.
inline constexpr const char* legend_more = "……另%1种";

// The solid view's keys, each with the key of the keyboard that does the
// same ("从箱门看（1）").
inline constexpr const char* door_view = "从箱门看";
inline constexpr const char* top_view = "俯视";
inline constexpr const char* side_view = "侧视";
inline constexpr const char* three_quarter_view = "斜视";
inline constexpr const char* reset_view = "复位";
inline constexpr const char* cut_away = "剖视";
inline constexpr const char* key_hint = "%1（%2）";
inline constexpr const char* cut_away_hint = "隐藏箱顶和近侧箱壁（C）";

// The step slider: a step and the load so far, or the whole load.
inline constexpr const char* step_of = "第%1步 / 共%2步";
inline constexpr const char* all_steps = "全部%1步";

// The ends of the container in the solid view.
inline constexpr const char* door_end = "箱门";
inline constexpr const char* far_end_wall = "里端";

// The tip of a carton pointed at, one line each.
inline constexpr const char* tip_carton = "包装箱：";
inline constexpr const char* tip_size = "尺寸：";
inline constexpr const char* tip_stance = "摆放：";
inline constexpr const char* tip_step = "装箱步骤：第 %1 步";
inline constexpr const char* tip_position = "位置：距里端 %1 cm，距左侧 %2 cm，距箱底 %3 cm";
inline constexpr const char* tip_weight = "单箱毛重：%1 千克";
inline constexpr const char* tip_weight_unknown = "单箱毛重：未给出";

}  // namespace varnel::text::view
