#pragma once

#include <QString>

#include <string_view>

namespace varnel {

class prompts;

// Saves `bytes` under `path`, the name a save dialog gave (empty: it was
// cancelled, and nothing happens). A file already there is replaced only
// once the user agrees; the bytes are written beside it and renamed over
// it, so a failed save, which the user is told of, leaves it as it was.
void save_after_asking(prompts& prompts, const QString& path, std::string_view bytes);

}  // namespace varnel
