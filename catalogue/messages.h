#pragma once

// Texts of the catalogue, exactly as the user reads them.
namespace varnel::text {

// The container type the container list chooses at start-up and after every
// refill; the delivered catalogue must hold it as a built-in type.
inline constexpr const char* default_container = "40尺柜";

// "无法打开数据库文件“<path>”：<reason>", shown before the program ends.
inline constexpr const char* catalogue_open_error = "无法打开数据库文件";
inline constexpr const char* catalogue_missing = "文件不存在";
inline constexpr const char* catalogue_in_use = "该数据库连接已经打开";
// When the store fails without saying why.
inline constexpr const char* catalogue_unknown_error = "数据库出错";

}  // namespace varnel::text
