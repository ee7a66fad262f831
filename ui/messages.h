#pragma once

// Texts every window shares.
namespace varnel::text::inline ui {

inline constexpr const char* application_title = "集装箱Varnel软件";

// The step bar of a long load: "上一步", "第 [3] 步", "共31步", "下一步".
inline constexpr const char* step_back = "上一步";
inline constexpr const char* step_forward = "下一步";
inline constexpr const char* step_prefix = "第";
inline constexpr const char* step_suffix = "步";
inline constexpr const char* step_count_prefix = "共";

}  // namespace varnel::text::ui

// The maker, as the window and the about box show it. The addresses are
// reserved example names.
namespace varnel::maker {

inline constexpr const char* name = "凡耐软件";
inline constexpr const char* web_address = "www.varnel.example";
inline constexpr const char* web_url = "https://www.varnel.example/";
inline constexpr const char* mail_address = "support@varnel.example";

}  // namespace varnel::maker
