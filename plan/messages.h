#pragma once

// Texts of the plan documents, exactly as the user reads them.
namespace varnel::text::inline plan {

inline constexpr const char* plan_filter = "Varnel文件(*.qrn)";
inline constexpr const char* file_not_found = "查找不到文件";
inline constexpr const char* file_read_error = "文件读取出错，操作无法完成";
inline constexpr const char* file_open_error = "文件打开出错";
inline constexpr const char* file_save_error = "文件保存出错，操作无法完成";
inline constexpr const char* overwrite_question = "该文件已经存在，是否要覆盖原文件？";

// The New plan dialog.
inline constexpr const char* new_plan_title = "新建文件";
inline constexpr const char* new_plan_prompt = "请输入新建文件名：";
inline constexpr const char* new_plan_ok = "确　　定";  // two ideographic spaces
inline constexpr const char* new_plan_cancel = "取　　消";
inline constexpr const char* new_plan_name_missing = "请输入新建文件名";

}  // namespace varnel::text::plan
