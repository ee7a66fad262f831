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

}  // namespace varnel::text::view
