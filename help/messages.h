#pragma once

#include "version.h"

// Texts of the help and information windows, exactly as the user reads them.
namespace varnel::text::inline help {

// The calculation explanation window, word for word as users have always read
// it, 类形 and 复先框 included.
inline constexpr const char* explanation_caption = "计算说明";
inline constexpr const char* explanation_step_1 =
    "第一步：选择集装箱类形，或者直接输入集装箱的尺寸。";
inline constexpr const char* explanation_step_2 =
    "第二步：输入包装箱尺寸，包装箱的长、宽、高三个尺寸都要求大于15cm。";
inline constexpr const char* explanation_step_3 =
    "第三步：根据用户需要点选“单一摆放”和“不可侧放”复先框。如果用户选择了“单一摆放”，"
    "则所有的包装箱都以同一种方式摆放；如果用户选择了“不可侧放”，则所有的包装箱的顶面都朝上。";
inline constexpr const char* explanation_step_4 = "第四步：点击“开始计算”，即可得到计算结果。";
inline constexpr const char* close_this_window = "退  出  本  窗  口";

// The about window.
inline constexpr const char* about_caption = "关于本软件";
inline constexpr const char* version = "VERSION " VARNEL_VERSION;
inline constexpr const char* about_notice = "© 2003-2025 凡耐软件 版权所有";
inline constexpr const char* web_label = "网址：";
inline constexpr const char* mail_label = "E-mail：";

// Where the help page lies below the program's folder.
inline constexpr const char* help_page_path = "help/index.html";

// When no browser or mail program answers, the user is told where to go.
inline constexpr const char* help_page_unopened = "无法打开帮助文件：";
inline constexpr const char* web_page_unopened = "无法打开网页，请用浏览器访问：";
inline constexpr const char* mail_unopened = "无法打开邮件程序，请发送邮件至：";

}  // namespace varnel::text::help
