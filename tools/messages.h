#pragma once

// Texts of the command-line planner, exactly as the user reads them.
namespace varnel::text::inline tools {

inline constexpr const char* unknown_container_type = "集装箱种类不存在";
inline constexpr const char* catalogue_read_error = "数据库读取出错";
inline constexpr const char* bad_file_name = "文件名不是有效的UTF-8编码";
inline constexpr const char* output_write_error = "标准输出写入出错";
inline constexpr const char* report_name_wrong = "装箱指导书的文件名须以.pdf或.xlsx结尾";
inline constexpr const char* paper_wrong = "纸张须为A4或Letter";
inline constexpr const char* report_not_made = "装箱指导书无法生成";
// Two of the files named are one: writing one would destroy the other.
// Followed by ": " and the name.
inline constexpr const char* output_is_list = "输出文件与装箱单是同一个文件，装箱单会被覆盖";
inline constexpr const char* report_is_plan_file =
    "装箱指导书与方案文件是同一个文件，一个会覆盖另一个";

// The pallet planner (--pallet NAME, --pallet-size).
inline constexpr const char* unknown_pallet_type = "托盘种类不存在";

// The mixed planner (--mixed).
inline constexpr const char* mixed_container_wrong =
    "集装箱尺寸输入有误，请输入大于0的长、宽、高（厘米）";
inline constexpr const char* containers_wrong = "集装箱数输入有误，请输入大于0的整数";
inline constexpr const char* balance_wrong =
    "重心范围输入有误，请输入大于0、不超过50的百分数，或用--no-balance不按重心核算";
inline constexpr const char* remainder_wrong = "--remainder须为loose或pallet";
inline constexpr const char* type_count_separator = "：";
inline constexpr const char* pallet_line_separator = "；";
inline constexpr const char* type_count_suffix = "个";
inline constexpr const char* total_prefix = "合计：";
inline constexpr const char* total_middle = "个集装箱，共装";
inline constexpr const char* total_suffix = "个包装箱";
inline constexpr const char* all_loaded = "所有包装箱都已装入";

}  // namespace varnel::text::tools
