#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace varnel {

// The program's texts are UTF-8 constants and std::strings; widgets want QString.
inline QString qtext(const char* utf8) { return QString::fromUtf8(utf8); }
inline QString qtext(const std::string& utf8) { return QString::fromStdString(utf8); }
inline QString qtext(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace varnel
