#pragma once

#include <QColor>

// The colours the windows give their texts, captions and fields, each named
// once (the drawing's own colours are in view/colours.h).
namespace varnel::palette {

inline constexpr QColor black{0, 0, 0};
inline constexpr QColor blue{0, 0, 255};
inline constexpr QColor dark_blue{0, 0, 192};
inline constexpr QColor navy{0, 0, 128};
inline constexpr QColor red{255, 0, 0};
inline constexpr QColor dark_red{192, 0, 0};
inline constexpr QColor maroon{128, 0, 0};
inline constexpr QColor purple{128, 0, 128};
inline constexpr QColor magenta{192, 0, 192};
// Read-only fields and the lists; the container list turns dark grey while
// its sizes come from elsewhere.
inline constexpr QColor light_grey{224, 224, 224};
inline constexpr QColor dark_grey{128, 128, 128};
// A pallet's layer seen from above: the deck, and the cartons in the
// colour the drawing gives a carton's top face.
inline constexpr QColor pallet_deck{176, 132, 84};
inline constexpr QColor carton_top{0, 166, 13};

}  // namespace varnel::palette
