#pragma once

#include <QIcon>

#include <functional>

namespace varnel {

// An icon made by `make` only when it is first drawn or measured: pictures
// that a window may never show cost nothing at start-up.
QIcon deferred_icon(std::function<QIcon()> make);

}  // namespace varnel
