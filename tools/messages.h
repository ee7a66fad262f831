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

}  // namespace varnel::text::tools
