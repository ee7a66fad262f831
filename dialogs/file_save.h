#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

#include "ui/prompts.h"

namespace varnel {

// The suffix a save dialog's filter names first: ".xlsx" for
// "装箱步骤表(*.xlsx)"; empty when it names none.
QString filter_suffix(const QString& filter);

// The name to save under, from what a save dialog gave (empty: cancelled).
// A name typed without a suffix gets the chosen filter's; a name ending in
// `other_kind`, the suffix of the program's other plan file, gets the
// filter's instead, so a plan never lands in a file of the other kind; any
// other name, or a folder's, is used as typed.
QString name_to_save(const prompts::save_choice& chosen, QStringView other_kind = {});

// Saves `bytes` under `path`, the name to save under (empty: the dialog was
// cancelled, and nothing happens). A file already there is replaced only
// once the user agrees; the bytes are written beside it and renamed over
// it, so a failed save, which the user is told of, leaves it as it was.
// True once saved.
bool save_after_asking(prompts& prompts, const QString& path, std::string_view bytes);

}  // namespace varnel
