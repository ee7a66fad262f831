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
// A container of a mixed load: "共装25个包装箱，3种".
inline constexpr const char* mixed_arrangement_prefix = "共装";
inline constexpr const char* mixed_arrangement_middle = "个包装箱，";
inline constexpr const char* mixed_arrangement_suffix = "种";

// The optimised plan's third line.
inline constexpr const char* optimal_prefix = "已是最优方案：最多只能放";
inline constexpr const char* optimal_suffix = "个包装箱";
inline constexpr const char* bound_prefix = "理论上最多可放";
inline constexpr const char* bound_middle = "个包装箱，本方案已达其";
inline constexpr const char* bound_suffix = "%";
// Only when the clock's far safety net ended the search; the planner prints
// it and the window shows it.
inline constexpr const char* search_cut_short =
    "计算用时过长，已提前结束：本方案不是完整优化计算的结果，计算机空闲时再算可能装得更多";

// Shipping an order in several containers.
inline constexpr const char* quantity_wrong = "装运数量输入有误，请输入1至1000000000之间的整数";
inline constexpr const char* carton_weight_wrong = "包装箱重量输入有误，请输入大于0的重量（千克）";
// Names max_carton_weight (engine/shipment.h).
inline constexpr const char* carton_weight_too_large =
    "包装箱重量输入有误，一个包装箱的重量不能超过100000千克";
inline constexpr const char* payload_wrong = "集装箱载重输入有误，请输入大于0的重量（千克）";
inline constexpr const char* carton_over_payload =
    "包装箱重量超过集装箱载重，一个集装箱装不下一个包装箱";
inline constexpr const char* plan_without_cartons = "装箱方案中没有包装箱，无法计算装运计划";

// Cartons on a pallet: one that fits the deck in no allowed stance, one
// taller than the load height in every stance that fits, one heavier than
// the load weight.
inline constexpr const char* carton_larger_than_pallet = "包装箱比托盘大，托盘上放不下包装箱";
inline constexpr const char* carton_above_load_height =
    "包装箱高于托盘的装载高度，托盘上放不下包装箱";
inline constexpr const char* carton_over_load_weight =
    "包装箱重量超过托盘的装载重量，托盘上放不下包装箱";

// A pallet's plan: "每托48箱：6层，每层8箱", a part-full top layer
// "，顶层5箱", the limit that binds, the layers' pattern, the stance, and
// the loaded pallet's outer size and gross weight.
inline constexpr const char* pallet_cartons_prefix = "每托";
inline constexpr const char* pallet_cartons_suffix = "箱：";
inline constexpr const char* pallet_layers_suffix = "层，每层";
inline constexpr const char* pallet_top_layer_prefix = "，顶层";
inline constexpr const char* pallet_boxes = "箱";
inline constexpr const char* pallet_height_limit = "（受装载高度限制）";
inline constexpr const char* pallet_weight_limit = "（受装载重量限制）";
inline constexpr const char* pallet_interlocked = "相邻两层交错堆叠（两层互为镜像）";
inline constexpr const char* pallet_columns = "各层摆放相同";
inline constexpr const char* pallet_stance_prefix = "包装箱";
inline constexpr const char* pallet_size_prefix = "装载后尺寸：";
inline constexpr const char* pallet_weight_prefix = "毛重：";
// A loaded pallet as an item of an order: "欧标托盘（纸箱A，每托48箱）".
inline constexpr const char* pallet_item_open = "（";
inline constexpr const char* pallet_item_middle = "，";
inline constexpr const char* pallet_item_close = "）";
// A count of loaded pallets: "3个欧标托盘（纸箱A，每托48箱）".
inline constexpr const char* pallets_count_middle = "个";
// A pallet type's page: its full pallets and the last, and each layer's
// cartons by the way they face: "整托5个，零托1个（12箱）",
// "余下12箱不上托盘", "第1层：8箱，长边沿托盘长度5箱、沿托盘宽度3箱".
inline constexpr const char* pallet_full_prefix = "整托";
inline constexpr const char* pallet_part_prefix = "，零托1个（";
inline constexpr const char* pallet_part_suffix = "箱）";
inline constexpr const char* pallet_loose_prefix = "，余下";
inline constexpr const char* pallet_loose_suffix = "箱不上托盘";
inline constexpr const char* pallet_layer_prefix = "第";
inline constexpr const char* pallet_layer_middle = "层：";
inline constexpr const char* pallet_along_prefix = "箱，长边沿托盘长度";
inline constexpr const char* pallet_across_prefix = "箱、沿托盘宽度";

inline constexpr const char* containers_prefix = "共需";
inline constexpr const char* containers_suffix = "个集装箱";
inline constexpr const char* per_container_prefix = "每个集装箱装";
inline constexpr const char* last_container_prefix = "最后一个集装箱装";
inline constexpr const char* cartons_suffix = "个包装箱";
inline constexpr const char* volume_limit = "（受容积限制）";
inline constexpr const char* weight_limit = "（受载重限制）";
inline constexpr const char* cargo_weight_prefix = "，货重";
inline constexpr const char* kilograms = "千克";
inline constexpr const char* no_carton_weight = "未给出包装箱重量，未按载重核算";
inline constexpr const char* payload_unknown = "集装箱载重未知，未按载重核算";
// A container's balance: "重心偏离中心N cm，超出允许的M cm".
inline constexpr const char* balance_holds = "重心在允许范围内";
inline constexpr const char* balance_off_prefix = "重心偏离中心";
inline constexpr const char* balance_off_middle = " cm，超出允许的";
inline constexpr const char* balance_off_suffix = " cm";
// Where the centre lies: "距里端 6.02 m，距左侧 1.17 m", and its offset from
// the middle: "偏向箱门 12 cm，偏左 1 cm" ("纵向居中" within half a centimetre).
inline constexpr const char* centre_from_far_end = "距里端 ";
inline constexpr const char* centre_from_left = "，距左侧 ";
inline constexpr const char* centre_metres = " m";
inline constexpr const char* towards_door_by = "偏向箱门 ";
inline constexpr const char* towards_far_end_by = "偏向里端 ";
inline constexpr const char* to_right_by = "偏右 ";
inline constexpr const char* to_left_by = "偏左 ";
inline constexpr const char* centred_along = "纵向居中";
inline constexpr const char* centred_across = "横向居中";
inline constexpr const char* offset_separator = "，";
inline constexpr const char* centre_cm = " cm";

// The loading instructions. "长边沿集装箱长度方向，高度朝上": the carton
// side along the container's length, then the side that points up; sides in
// the order length, width, height.
inline constexpr const char* sides_along[3] = {"长边", "宽边", "高边"};
inline constexpr const char* along_length = "沿集装箱长度方向，";
inline constexpr const char* sides_up[3] = {"长度朝上", "宽度朝上", "高度朝上"};

inline constexpr const char* columns = "列";
inline constexpr const char* rows = "排";
inline constexpr const char* layers = "层";
inline constexpr const char* times = " × ";
inline constexpr const char* cm = " cm";

// A mixed order's containers and what it leaves, in the planner's texts and
// the loading instructions alike.
inline constexpr const char* container_number_prefix = "第";
inline constexpr const char* container_number_middle = "个集装箱（共";
inline constexpr const char* container_number_suffix = "个）";
// A run of identical containers: "第1至1064个集装箱（每个相同）".
inline constexpr const char* container_range_prefix = "第";
inline constexpr const char* container_range_middle = "至";
inline constexpr const char* container_range_suffix = "个集装箱（每个相同）";
// A mixed plan whose budget or clock ran out before every carton was
// planned; the cartons left are listed as unloaded.
inline constexpr const char* mixed_cut_short =
    "计算量过大，已提前结束：未装入的包装箱没有计算，请分成几张装箱单计算";
inline constexpr const char* unloaded_prefix = "未装入";
inline constexpr const char* unloaded_suffix = "个包装箱";

}  // namespace varnel::text::engine
