#pragma once

// Texts every window shares.
namespace varnel::text {

inline constexpr const char* application_title = "集装箱Varnel软件";

}  // namespace varnel::text
