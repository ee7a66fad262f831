#pragma once

class QWidget;

namespace varnel {

class pfrom;
class prompts;

enum class print_outcome {
    printed,    // every copy went to the printer (none, for zero copies)
    cancelled,  // the user cancelled the print dialog: nothing printed, no message
    failed      // the printer refused; the user has been told
};

// The print command: captures the window in front (else `main_window`) into
// the holder before any dialog shows, asks for printer and copies, and
// prints one page per copy with the picture at 100 twips from the left and
// 200 twips from the top of the printable area, at its own size. The capture
// stays in the holder whatever happens after it.
print_outcome print_window(pfrom& holder, prompts& ask, QWidget* main_window);

}  // namespace varnel
