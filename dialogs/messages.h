#pragma once

// The shipment dialog's captions, exactly as the user reads them.
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

}  // namespace varnel::text::dialogs
