#pragma once

// The calculation's own texts, exactly as the user reads them.
namespace varnel::text::inline engine {

inline constexpr const char* carton_length_wrong = "包装箱的长输入有误，请重新输入";
inline constexpr const char* carton_width_wrong = "包装箱的宽输入有误，请重新输入";
inline constexpr const char* carton_height_wrong = "包装箱的高输入有误，请重新输入";
inline constexpr const char* carton_length_too_small = "包装箱的长度太小，程序计算不正常";
inline constexpr const char* carton_width_too_small = "包装箱的宽度太小，程序计算不正常";
inline constexpr const char* carton_height_too_small = "包装箱的高度太小，程序计算不正常";
inline constexpr const char* internal_error = "程序内部出错,操作无法完成";  // ASCII comma
inline constexpr const char* container_too_large = "集装箱尺寸过大，程序无法计算";
inline constexpr const char* carton_size_wrong = "包装箱尺寸不正确，请检查输入是否正确";
inline constexpr const char* no_result = "没有计算结果";

inline constexpr const char* utilisation_prefix = "集装箱的利用效率：";
inline constexpr const char* utilisation_suffix = "%";
inline constexpr const char* arrangement_prefix = "分";
inline constexpr const char* arrangement_middle = "堆摆放共放";
inline constexpr const char* arrangement_suffix = "个包装箱";

// The optimised plan's third line.
inline constexpr const char* optimal_prefix = "已是最优方案：最多只能放";
inline constexpr const char* optimal_suffix = "个包装箱";
inline constexpr const char* bound_prefix = "理论上最多可放";
inline constexpr const char* bound_middle = "个包装箱，本方案已达其";
inline constexpr const char* bound_suffix = "%";

}  // namespace varnel::text::engine
