#pragma once

// Texts of the catalogue, exactly as the user reads them.
namespace varnel::text::inline catalogue {

// The container type the container list chooses at start-up and after every
// refill; the delivered catalogue must hold it as a built-in type.
inline constexpr const char* default_container = "40尺柜";

// "无法打开数据库文件“<path>”：<reason>", shown before the program ends.
inline constexpr const char* catalogue_open_error = "无法打开数据库文件";
inline constexpr const char* catalogue_missing = "文件不存在";
inline constexpr const char* catalogue_in_use = "该数据库连接已经打开";
// Appended to the reason when a journal of an unfinished write lies beside
// the catalogue.
inline constexpr const char* catalogue_unfinished_write =
    "（数据库有一次未完成的写入，需要对数据库文件及其文件夹有写权限才能恢复）";
// Another program holds the catalogue's lock for a write of its own.
inline constexpr const char* catalogue_busy = "集装箱数据库正被其他程序使用，请稍后再试";
// A pallet type written to a catalogue that could not be upgraded: its
// pallet types are only lent for reading.
inline constexpr const char* pallets_not_kept = "数据库文件不能写入，托盘种类无法保存";
// When the store fails without saying why.
inline constexpr const char* catalogue_unknown_error = "数据库出错";

// --- The container type dialogs --------------------------------------------
// Ideographic spaces (U+3000) spread the short button captions; they are
// written as escapes so they cannot be mistaken for ordinary blanks.

// A failed add of a container type, and a change dialog that cannot read
// the entry it was handed.
inline constexpr const char* program_error = "程序出错";

inline constexpr const char* kaddji_title = "增加/删除集装箱种类";
inline constexpr const char* kaddji_add_frame = "增加集装箱种类";
inline constexpr const char* kaddji_pick_frame = "更改/删除集装箱类型";
inline constexpr const char* kaddji_pick_prompt = "请选择要更改或删除的集装箱类型：";
inline constexpr const char* kaddji_note = "说明：程序内部的集装箱种类不能改变";
inline constexpr const char* kgenggai_title = "更改集装箱";
inline constexpr const char* kgenggai_prompt = "请在下面的文本框中更改数据：";
inline constexpr const char* kinputji_title = "手工输入集装箱尺寸";
inline constexpr const char* container_name_label = "集装箱名称：";

inline constexpr const char* length_label = "长：";
inline constexpr const char* width_label = "宽：";
inline constexpr const char* height_label = "高：";
inline constexpr const char* unit_label = "cm";

inline constexpr const char* ok_caption = "确\u3000定";
inline constexpr const char* cancel_caption = "取\u3000消";
inline constexpr const char* kaddji_change_caption = "更  改";
inline constexpr const char* kaddji_delete_caption = "删   除";
inline constexpr const char* wide_exit_caption = "退\u3000出\u3000本\u3000窗\u3000口";
inline constexpr const char* kgenggai_ok_caption = "确\u3000 定";
inline constexpr const char* kgenggai_exit_caption = "退 出 本 窗 口";
inline constexpr const char* kinputji_ok_caption = "确\u3000\u3000定";
inline constexpr const char* kinputji_cancel_caption = "取\u3000\u3000消";

// Container size input: empty, then not a number (or too large to store),
// for length, width and height.
inline constexpr const char* container_length_empty = "请输入集装箱的长";
inline constexpr const char* container_length_wrong = "集装箱的长度输入有误，请重新输入";
inline constexpr const char* container_width_empty = "请输入集装箱的宽";
inline constexpr const char* container_width_wrong = "集装箱的宽度输入有误，请重新输入";
inline constexpr const char* container_height_empty = "请输入集装箱的高";
inline constexpr const char* container_height_wrong = "集装箱的高度输入有误，请重新输入";
// A size of 0 or below, once all three read as numbers.
inline constexpr const char* container_length_not_positive = "集装箱的长度必须大于0，请重新输入";
inline constexpr const char* container_width_not_positive = "集装箱的宽度必须大于0，请重新输入";
inline constexpr const char* container_height_not_positive = "集装箱的高度必须大于0，请重新输入";
// A container typed for the plan at hand that cannot hold the smallest
// carton side the program takes.
inline constexpr const char* container_length_too_small = "集装箱的长度不能小于15厘米，请重新输入";
inline constexpr const char* container_width_too_small = "集装箱的宽度不能小于15厘米，请重新输入";
inline constexpr const char* container_height_too_small = "集装箱的高度不能小于15厘米，请重新输入";

inline constexpr const char* container_name_empty = "请输入集装箱的名字";
inline constexpr const char* container_add_conflict =
    "新命名的集装箱的名字与原有的冲突，请更改集装箱的名字";
inline constexpr const char* container_added = "增加集装箱种类操作成功";
inline constexpr const char* choose_container_to_change = "请选择要更改的集装箱";
inline constexpr const char* choose_container_to_delete = "请选择要删除的集装箱";
inline constexpr const char* container_deleted = "删除集装箱种类操作成功";
inline constexpr const char* container_delete_failed = "程序出错，无法完成操作";
inline constexpr const char* container_rename_conflict =
    "新命名的集装箱名字与原有的发生冲突，请更改集装箱的名字";
inline constexpr const char* container_change_failed = "程序出错，操作无法完成";
inline constexpr const char* container_changed = "操作成功";
inline constexpr const char* manual_size_accepted = "输入成功";

// "确实要删除“<name>”吗？", for container and carton types alike.
inline constexpr const char* delete_question_start = "确实要删除“";
inline constexpr const char* delete_question_end = "”吗？";

// --- The carton type dialogs -----------------------------------------------

inline constexpr const char* kbao_title = "建立包装箱列表";
inline constexpr const char* kbao_add_frame = "增加包装箱";
inline constexpr const char* kbao_pick_frame = "更改包装箱";
inline constexpr const char* kbao_name_label = "包装箱名称：";
inline constexpr const char* kbao_change_caption = "更\u3000改";
inline constexpr const char* kbao_delete_caption = "删\u3000除";
inline constexpr const char* narrow_exit_caption = "退出本窗口";
inline constexpr const char* kgengaibao_title = "更改包装箱";
inline constexpr const char* kgengaibao_frame = "请在下面直接更改包装箱的信息";
inline constexpr const char* kgengaibao_name_label = "包装箱的名称：";

// Carton size input, in the order it is checked.
inline constexpr const char* carton_name_empty = "请输入包装箱的名称";
inline constexpr const char* carton_length_empty = "请输入包装箱的长";
inline constexpr const char* carton_length_wrong = "包装箱的长度输入有误，请重新输入";
inline constexpr const char* carton_width_empty = "请输入包装箱的宽";
inline constexpr const char* carton_width_wrong = "包装箱的宽度输入有误，请重新输入";
inline constexpr const char* carton_height_empty = "请输入包装箱的高";
inline constexpr const char* carton_height_wrong = "包装箱的高度输入有误，请重新输入";
// The too-small refusals are the calculation's own (engine/messages.h).

inline constexpr const char* carton_add_conflict =
    "新命名的包装箱与原有的包装箱名字发生冲突，请更改名字";
inline constexpr const char* carton_done = "操作成功";
inline constexpr const char* choose_carton = "请选择要更改的包装箱";
// An ASCII comma and a trailing blank, unlike its container twins.
inline constexpr const char* carton_list_failed = "程序出错,操作无法完成 ";
inline constexpr const char* carton_rename_conflict =
    "新命名的包装箱名字与原有的包装箱发生冲突，请重新命名";
inline constexpr const char* carton_change_failed = "程序出错，操作无法完成";
inline constexpr const char* carton_changed = "包装箱修改成功";

// --- The pallet type dialogs -------------------------------------------------

inline constexpr const char* ktuopan_title = "增加/删除托盘种类";
inline constexpr const char* ktuopan_add_frame = "增加托盘种类";
inline constexpr const char* ktuopan_pick_frame = "更改/删除托盘种类";
inline constexpr const char* ktuopan_pick_prompt = "请选择要更改或删除的托盘种类：";
inline constexpr const char* kgenggaituopan_title = "更改托盘";
inline constexpr const char* pallet_name_label = "托盘名称：";
inline constexpr const char* pallet_weight_label = "自重：";
inline constexpr const char* pallet_load_height_label = "装载高度：";
inline constexpr const char* pallet_load_weight_label = "装载重量：";
inline constexpr const char* kilogram_label = "kg";

// Pallet input: empty, not a number, then (once all six are numbers) 0 or
// below, in the order of the fields.
inline constexpr const char* pallet_name_empty = "请输入托盘的名字";
inline constexpr const char* pallet_length_empty = "请输入托盘的长";
inline constexpr const char* pallet_length_wrong = "托盘的长度输入有误，请重新输入";
inline constexpr const char* pallet_length_not_positive = "托盘的长度必须大于0，请重新输入";
inline constexpr const char* pallet_width_empty = "请输入托盘的宽";
inline constexpr const char* pallet_width_wrong = "托盘的宽度输入有误，请重新输入";
inline constexpr const char* pallet_width_not_positive = "托盘的宽度必须大于0，请重新输入";
inline constexpr const char* pallet_height_empty = "请输入托盘的高";
inline constexpr const char* pallet_height_wrong = "托盘的高度输入有误，请重新输入";
inline constexpr const char* pallet_height_not_positive = "托盘的高度必须大于0，请重新输入";
inline constexpr const char* pallet_weight_empty = "请输入托盘的自重";
inline constexpr const char* pallet_weight_wrong = "托盘的自重输入有误，请重新输入";
inline constexpr const char* pallet_weight_not_positive = "托盘的自重必须大于0，请重新输入";
inline constexpr const char* pallet_load_height_empty = "请输入托盘的装载高度";
inline constexpr const char* pallet_load_height_wrong = "托盘的装载高度输入有误，请重新输入";
inline constexpr const char* pallet_load_height_not_positive =
    "托盘的装载高度必须大于0，请重新输入";
inline constexpr const char* pallet_load_weight_empty = "请输入托盘的装载重量";
inline constexpr const char* pallet_load_weight_wrong = "托盘的装载重量输入有误，请重新输入";
inline constexpr const char* pallet_load_weight_not_positive =
    "托盘的装载重量必须大于0，请重新输入";

inline constexpr const char* pallet_add_conflict =
    "新命名的托盘的名字与原有的冲突，请更改托盘的名字";
inline constexpr const char* pallet_added = "增加托盘种类操作成功";
inline constexpr const char* choose_pallet_to_change = "请选择要更改的托盘";
inline constexpr const char* choose_pallet_to_delete = "请选择要删除的托盘";
inline constexpr const char* pallet_deleted = "删除托盘种类操作成功";
inline constexpr const char* pallet_rename_conflict =
    "新命名的托盘名字与原有的发生冲突，请更改托盘的名字";

}  // namespace varnel::text::catalogue
