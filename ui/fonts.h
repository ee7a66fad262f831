#pragma once

#include <QFont>

namespace varnel {

// The program's font name mapped to an installed CJK serif where SimSun
// itself is missing. The windows and the printed loading instructions use
// it; it needs Qt Gui only, so the command-line planner can draw with it.
void map_program_fonts();

// SimSun at a pixel size: 12 px is 9 pt, 14 px 10.5 pt, 16 px 12 pt at 96 dpi.
QFont simsun(int pixel_size, bool bold = false);

// The face of printed pages at a pixel size (a point, on a page drawn in
// points): of the program's faces, first the one whose characters a PDF
// reader gives back as they were written. The others map some characters
// (长, 方, 高, ...) and their look-alike radicals to one glyph, which the
// PDF then names by the radical, so search and copy would miss them.
QFont page_font(int pixel_size, bool bold = false);

}  // namespace varnel
