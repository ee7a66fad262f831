#pragma once

// What liborcus 0.17 cannot read in a valid .xlsx package, mended before it
// reads the rest. Files written by common tools other than the big
// spreadsheet programs hit three gaps:
// - a relationship whose target is an absolute part name
//   ("/xl/worksheets/sheet1.xml"): liborcus joins it to the folder of the
//   part that names it and finds nothing, so the sheet reads as empty;
// - cells whose text is held in the cell itself (t="inlineStr"), which it
//   passes over;
// - an empty shared string (<si><t/></si>), which it gives the text of the
//   string before it.
// Liborcus still reads everything else: the zip archive, the workbook and its
// sheets, numbers, logical values and formulas' results. No Qt.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

struct xlsx_package {
    // The package for liborcus: the file as it is, or with its relationships
    // made relative and every inline-string cell turned into a shared-string
    // cell whose index points past the file's own shared strings.
    std::string bytes;
    // The text of every shared string by the index the cells use: the
    // file's shared strings, then the inline strings moved there.
    std::vector<std::string> strings;
};

// None when the bytes are no zip archive or a part it needs cannot be read:
// liborcus, given the bytes as they are, refuses them itself.
std::optional<xlsx_package> mend_xlsx_package(std::string_view bytes);

// The parts (name, bytes), in order, as a zip archive that stores them
// uncompressed: liborcus reads them as it reads any, and the mended package
// lives only as long as liborcus reads it. None when too large for a zip
// archive without its 64-bit extensions.
std::optional<std::string> stored_zip(
    const std::vector<std::pair<std::string, std::string>>& parts);

}  // namespace varnel
