#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// Writes `bytes` to a temporary file beside `path` and renames it over the
// target, so a failed save leaves any old file as it was. On failure returns
// the system's reason.
std::optional<QString> save_file_atomically(const QString& path, std::string_view bytes);

// The whole file, or no value when it cannot be opened for reading.
std::optional<std::string> read_whole_file(const QString& path);

}  // namespace varnel
