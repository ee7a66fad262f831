#pragma once

// Texts of capture and print, exactly as the user reads them.
namespace varnel::text::inline output {

// The hidden print holder's caption; the user never sees it.
inline constexpr const char* print_holder_caption = "printform";

// The printer refused the job: the document could not start or a page failed.
inline constexpr const char* print_failed = "打印出错，操作无法完成";

}  // namespace varnel::text::output
