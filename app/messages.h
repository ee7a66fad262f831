#pragma once

#include "version.h"

// The main window's captions and texts, exactly as the user reads them:
// the blanks and ideographic spaces inside button captions are part of them.
namespace varnel::text::inline app {

inline constexpr const char* title_prefix =
    "集装箱Varnel软件     *version " VARNEL_VERSION "*--------";
inline constexpr const char* default_plan_name = "Varnel文件";

inline constexpr const char* container_frame = "集装箱尺寸(单位：cm)";
inline constexpr const char* choose_container = "选择集装箱";
inline constexpr const char* length = "长";
inline constexpr const char* width = "宽";
inline constexpr const char* height = "高";
inline constexpr const char* manual_input = "手动输入";
inline constexpr const char* container_types = "增加/更改/删除集装箱";

inline constexpr const char* carton_frame = "包装箱尺寸：";
inline constexpr const char* length_colon = "长：";
inline constexpr const char* width_colon = "宽：";
inline constexpr const char* height_colon = "高：";
inline constexpr const char* centimetre = "cm";
inline constexpr const char* choose_carton = "从纸箱尺寸列表中选择：";
inline constexpr const char* carton_types = "包装箱尺寸列表";

inline constexpr const char* options_frame = "装箱信息：";
inline constexpr const char* single_placement = "单一摆放";
inline constexpr const char* no_side_placement = "不可侧放";

inline constexpr const char* start_button = "开   始  计   算";
inline constexpr const char* draw_button = "绘          图";
inline constexpr const char* print_button = "打          印";
inline constexpr const char* save_button = "保  存  结  果";

inline constexpr const char* web_label_prefix = "网址：";

// Menus: captions with their accelerator letters.
inline constexpr const char* menu_file = "文件(&F)";
inline constexpr const char* menu_new = "新建(&N)";
inline constexpr const char* menu_open = "打开(&O)";
inline constexpr const char* menu_save = "保存(&S)";
inline constexpr const char* menu_print = "打印(&P)";
inline constexpr const char* menu_export_report = "导出装箱指导书(&E)";
inline constexpr const char* menu_print_report = "打印装箱指导书(&G)";
inline constexpr const char* menu_exit = "退出(&X)";
inline constexpr const char* menu_containers = "集装箱管理(&J)";
inline constexpr const char* menu_cartons = "包装箱处理(&B)";
inline constexpr const char* menu_loading = "装箱处理(&R)";
inline constexpr const char* menu_calculate = "开始计算(&J)";
inline constexpr const char* menu_optimise = "优化计算(&Y)";
inline constexpr const char* menu_shipment = "装运计划(&Z)";
inline constexpr const char* menu_mixed = "混装计算(&M)";
inline constexpr const char* menu_pallet = "托盘装载(&T)";
inline constexpr const char* menu_pallet_types = "托盘种类(&P)";
inline constexpr const char* menu_solid = "三维视图(&D)";
inline constexpr const char* menu_explanation = "计算说明(&S)";
inline constexpr const char* menu_help = "帮助(&H)";
inline constexpr const char* menu_how_to_use = "使用帮助(&C)";
inline constexpr const char* menu_feedback = "信息反馈(&F)";
inline constexpr const char* menu_about = "关于(&A)...";

// Tool-bar captions and their hint texts (shown as tool-tips); the last two
// buttons' hints are their captions.
inline constexpr const char* tool_new = "新建";
inline constexpr const char* hint_new = "新建装箱方案";
inline constexpr const char* tool_open = "打开";
inline constexpr const char* hint_open = "打开装箱方案";
inline constexpr const char* tool_save = "保存";
inline constexpr const char* hint_save = "保存装箱方案";
inline constexpr const char* tool_print = "打印";
inline constexpr const char* hint_print = "打印装箱方案";
inline constexpr const char* tool_solid = "三维";
inline constexpr const char* hint_solid = "三维视图";
inline constexpr const char* tool_report = "指导书";
inline constexpr const char* hint_report = "导出装箱指导书";
inline constexpr const char* tool_containers = "集装箱";
inline constexpr const char* hint_containers = "集装箱种类管理";
inline constexpr const char* tool_cartons = "包装箱";
inline constexpr const char* hint_cartons = "包装箱管理";
inline constexpr const char* tool_calculate = "开始计算";
inline constexpr const char* hint_calculate = "计算装箱方式";
inline constexpr const char* tool_optimise = "优化计算";
inline constexpr const char* hint_optimise = "计算最多能装的方式";
inline constexpr const char* tool_mixed = "混装计算";
inline constexpr const char* hint_mixed = "多种包装箱混装计算";
inline constexpr const char* tool_explanation = "计算说明";
inline constexpr const char* tool_help = "软件帮助";

// The progress dialog of an optimised calculation that takes a while.
inline constexpr const char* optimising = "正在优化计算……";
inline constexpr const char* cancel = "取消";
// ... and of a mixed load's.
inline constexpr const char* mixed_planning = "正在混装计算……";

// The keys to the container before and after the one shown of a mixed plan.
inline constexpr const char* previous_container = "◀上一个";
inline constexpr const char* next_container = "下一个▶";

// Open lists both kinds of plan, either kind alone too.
inline constexpr const char* open_filter =
    "Varnel方案(*.qrn *.qrm);;Varnel文件(*.qrn);;Varnel混装方案(*.qrm)";

// Which container of a shipment the drawing shows, %1 and %2 whole numbers.
inline constexpr const char* shown_last_container = "最后一个集装箱（第%1个，共%1个）";
inline constexpr const char* shown_first_container = "第1个集装箱（共%1个）";
inline constexpr const char* shown_containers_before_last = "第1至第%1个集装箱，每个相同（共%2个）";

// The loading instructions' file choice: a PDF to print, or the steps as a
// spreadsheet.
inline constexpr const char* report_filter = "装箱指导书(*.pdf);;装箱步骤表(*.xlsx)";

inline constexpr const char* empty_catalogue = "程序内部数据丢失，程序无法正常运行";

}  // namespace varnel::text::app
