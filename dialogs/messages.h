#pragma once

// The dialogs' captions and texts, exactly as the user reads them.
namespace varnel::text::inline dialogs {

inline constexpr const char* kzhuangyun_title = "装运计划";
inline constexpr const char* order_frame = "装运数量与重量";
inline constexpr const char* quantity_label = "装运数量：";
inline constexpr const char* carton_weight_label = "包装箱毛重：";
inline constexpr const char* payload_label = "集装箱载重：";
inline constexpr const char* pieces = "个";
inline constexpr const char* work_out_caption = "计\u3000\u3000算";
inline constexpr const char* result_frame = "装运结果";
inline constexpr const char* draw_last_caption = "绘制最后一个集装箱";
inline constexpr const char* draw_each_caption = "绘制每个集装箱";

// Cartons of one type on a pallet, and the plan found.
inline constexpr const char* ktuopanzhuangzai_title = "托盘装载";
inline constexpr const char* pallet_carton_frame = "托盘与包装箱";
inline constexpr const char* pallet_label = "托盘：";
inline constexpr const char* pallet_upright_caption = "不可侧放";
inline constexpr const char* choose_pallet = "请选择托盘";
inline constexpr const char* ktuopanjieguo_title = "托盘装载结果";
inline constexpr const char* pallet_result_frame = "每托装载";
inline constexpr const char* layer_drawing_frame = "每层摆放（俯视）";
// Under the drawings of two alternating layers.
inline constexpr const char* odd_layers = "第1、3、5…层";
inline constexpr const char* even_layers = "第2、4、6…层";
// Shows the whole loaded pallet in three dimensions in place of the layers.
inline constexpr const char* pallet_solid_caption = "三维视图";

// The packing list window of a mixed load.
inline constexpr const char* khunzhuang_title = "混装计算";
inline constexpr const char* list_frame = "装箱单";
inline constexpr const char* list_name_column = "名称";
inline constexpr const char* list_length_column = "长(cm)";
inline constexpr const char* list_width_column = "宽(cm)";
inline constexpr const char* list_height_column = "高(cm)";
inline constexpr const char* list_quantity_column = "数量";
inline constexpr const char* list_weight_column = "毛重(kg)";
inline constexpr const char* list_vertical_column = "可竖放";
inline constexpr const char* list_stackable_column = "可堆码";
inline constexpr const char* list_max_load_column = "承重(kg)";
inline constexpr const char* list_max_layers_column = "最多层数";
inline constexpr const char* list_pallet_column = "托盘";
// How the packing list window makes pallets: the cartons of a type that
// fill no whole pallet go on one more, or loose; pallets may stand two high.
inline constexpr const char* pallet_rest_label = "托盘零头：";
inline constexpr const char* pallet_rest_on_pallet = "另装一托";
inline constexpr const char* pallet_rest_loose = "散箱装柜";
inline constexpr const char* pallets_stackable_caption = "托盘可堆码";
inline constexpr const char* list_max_load_tip =
    "一个包装箱顶上最多能承受的重量（千克）；留空为不限（仍按可堆码）";
inline constexpr const char* list_max_layers_tip =
    "同一种包装箱在一摞中最多叠几层（连它自己在内）；留空为不限";
inline constexpr const char* add_row_caption = "增加一行";
inline constexpr const char* remove_rows_caption = "删除所选行";
inline constexpr const char* from_catalogue_label = "从纸箱列表添加：";
inline constexpr const char* add_carton_caption = "添加";
inline constexpr const char* import_caption = "导入装箱单…";
inline constexpr const char* save_list_caption = "保存装箱单…";
inline constexpr const char* container_label = "集装箱：";
inline constexpr const char* mixed_payload_label = "集装箱载重：";
inline constexpr const char* kilograms_unit = "kg";
inline constexpr const char* close_caption = "关\u3000\u3000闭";
inline constexpr const char* results_frame = "计算结果";
// The result table's columns.
inline constexpr const char* result_container_column = "集装箱";
inline constexpr const char* result_type_column = "包装箱";
inline constexpr const char* result_loaded_column = "装入";
inline constexpr const char* result_left_column = "剩余";
inline constexpr const char* result_weight_column = "毛重(kg)";
inline constexpr const char* result_centre_column = "重心距里端(cm)";
inline constexpr const char* result_container = "第%1个集装箱";
inline constexpr const char* result_total = "合计";
inline constexpr const char* result_not_loaded = "未装入";
// Under each container's rows, where the weights are known: where its centre
// of gravity lies, and whether the band holds it ("重心范围±5%").
inline constexpr const char* result_centre_row = "重心位置";
inline constexpr const char* result_band_row = "重心范围±%1%";
// The weight rules the order is planned by.
inline constexpr const char* heavy_not_on_light_caption = "重不压轻";
inline constexpr const char* heavy_not_on_light_tip =
    "包装箱不放在单箱毛重比它轻的包装箱上；装箱单给出毛重时才起作用";
inline constexpr const char* balance_caption = "重心限于中心";
inline constexpr const char* balance_unit = "以内（按箱内长、宽计）";
inline constexpr const char* balance_tip =
    "货物重心偏离集装箱中心不超过内长（纵向）和内宽（横向）的这个百分比；"
    "装箱单给出毛重时才起作用。装不平衡时计算结果会注明偏离多少";
// The file choices of the packing list.
inline constexpr const char* list_import_filter = "装箱单(*.csv *.xlsx *.ods)";
inline constexpr const char* list_save_filter = "装箱单(*.csv)";
inline constexpr const char* list_suggested_name = "装箱单.csv";
// The container the main window's size fields hold, and its refusal.
inline constexpr const char* container_size_text = "%1 × %2 × %3 cm";
inline constexpr const char* mixed_container_wrong =
    "集装箱尺寸输入有误，请在主窗口中选择集装箱或输入大于0的长、宽、高（厘米）";
inline constexpr const char* nothing_loaded = "装箱单中的包装箱一个也装不进集装箱";

}  // namespace varnel::text::dialogs
