#pragma once

// Texts of the command-line planner, exactly as the user reads them.
namespace varnel::text::inline tools {

inline constexpr const char* unknown_container_type = "集装箱种类不存在";
inline constexpr const char* catalogue_read_error = "数据库读取出错";

}  // namespace varnel::text::tools
