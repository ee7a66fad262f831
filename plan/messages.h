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

// Packing lists: "装箱单第3行第5列（数量）：" and the reason.
inline constexpr const char* list_line_prefix = "装箱单第";
inline constexpr const char* list_line_suffix = "行";
inline constexpr const char* list_column_prefix = "第";
inline constexpr const char* list_column_suffix = "列";
inline constexpr const char* list_field_open = "（";
inline constexpr const char* list_field_close = "）";
inline constexpr const char* list_reason_separator = "：";
// The columns' headers, as the program writes them and names them.
inline constexpr const char* list_name_header = "名称";
inline constexpr const char* list_length_header = "长";
inline constexpr const char* list_width_header = "宽";
inline constexpr const char* list_height_header = "高";
inline constexpr const char* list_quantity_header = "数量";
inline constexpr const char* list_weight_header = "毛重";
inline constexpr const char* list_vertical_header = "可竖放";
inline constexpr const char* list_stackable_header = "可堆码";
inline constexpr const char* list_max_load_header = "承重";
inline constexpr const char* list_max_layers_header = "最多层数";
inline constexpr const char* list_pallet_header = "托盘";
// A blank name becomes this and the type's number.
inline constexpr const char* list_default_name = "包装箱";
// The ways a carton may stand, as the list window names them; a list may
// bring another, named by its sides ("仅长宽可竖放").
inline constexpr const char* vertical_any = "任意摆放";
inline constexpr const char* vertical_this_side_up = "不可侧放";
inline constexpr const char* vertical_length_flat = "长边不可竖放";
inline constexpr const char* vertical_only_prefix = "仅";
inline constexpr const char* vertical_only_suffix = "可竖放";
inline constexpr const char* list_yes = "是";
inline constexpr const char* list_no = "否";

inline constexpr const char* list_not_utf8 =
    "不是UTF-8编码的文字，请将装箱单存为UTF-8编码的CSV文件";
inline constexpr const char* list_open_quote = "引号没有结束";
inline constexpr const char* list_text_after_quote = "引号后面不能再有文字";
inline constexpr const char* list_empty = "装箱单中没有包装箱";
inline constexpr const char* list_column_missing_prefix = "缺少“";
inline constexpr const char* list_column_missing_suffix = "”列";
inline constexpr const char* list_column_repeated_prefix = "与第";
inline constexpr const char* list_column_repeated_suffix = "列重复";
inline constexpr const char* list_name_wrong = "名称中不能有换行等控制字符";
inline constexpr const char* list_size_wrong = "尺寸输入有误，请输入大于0的厘米数";
inline constexpr const char* list_quantity_wrong = "数量输入有误，请输入1至1000000000之间的整数";
inline constexpr const char* list_weight_wrong =
    "毛重输入有误，请输入大于0的重量（千克），不知道时留空";
inline constexpr const char* list_weight_too_large =
    "毛重输入有误，一个包装箱的重量不能超过100000千克";
inline constexpr const char* list_too_many_types =
    "装箱单中的包装箱种类太多，最多1000种，请分成几张装箱单";
// Joins the names of rows of the same carton merged into one type.
inline constexpr const char* list_name_separator = "、";
inline constexpr const char* list_vertical_wrong =
    "可竖放输入有误，请写出可以竖放的边：长、宽、高（或L、W、H），留空为任意摆放";
inline constexpr const char* list_stackable_wrong =
    "可堆码输入有误，请输入是或否（yes或no，1或0），留空为是";
inline constexpr const char* list_max_load_wrong =
    "承重输入有误，请输入不小于0的重量（千克），不限时留空";
inline constexpr const char* list_max_layers_wrong =
    "最多层数输入有误，请输入不小于1的整数，不限时留空";
inline constexpr const char* list_pallet_wrong = "托盘名称中不能有换行等控制字符";
inline constexpr const char* list_pallet_unknown = "托盘种类不存在，请先在托盘种类中添加";
inline constexpr const char* list_pallet_does_not_fit = "装好的托盘装不进集装箱";
inline constexpr const char* list_pallet_over_payload = "装好的托盘重量超过集装箱载重";
inline constexpr const char* list_not_spreadsheet =
    "该文件不是可以读取的xlsx或ods表格，请检查文件，或将装箱单另存为CSV文件";
inline constexpr const char* list_cell_unread =
    "表格中有程序读不出的单元格（如逻辑值TRUE、FALSE），请将其改为文字（如是、否）后再导入";
inline constexpr const char* list_carton_does_not_fit = "包装箱按允许的摆放方式装不进集装箱";
inline constexpr const char* list_carton_too_small = "包装箱比集装箱小得太多，程序无法计算";
// A list file the planner cannot read as one: "装箱单不是文件: LIST".
inline constexpr const char* list_file_too_large = "装箱单文件太大（超过16 MB）";
inline constexpr const char* list_not_a_file = "装箱单不是文件";

// Mixed plan files.
inline constexpr const char* mixed_plan_filter = "Varnel混装方案(*.qrm)";
inline constexpr const char* mixed_not_a_plan = "该文件不是Varnel混装方案，无法打开";
inline constexpr const char* mixed_newer_version = "该混装方案由更新版本的Varnel保存，无法打开";
inline constexpr const char* mixed_line_prefix = "混装方案第";
inline constexpr const char* mixed_line_suffix = "行有误，文件无法打开";
inline constexpr const char* mixed_container_prefix = "混装方案中第";
inline constexpr const char* mixed_container_suffix = "个集装箱的装载不合装箱规则，文件无法打开";

}  // namespace varnel::text::plan
