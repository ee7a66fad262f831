#pragma once

#include <QImage>
#include <QSize>

namespace varnel {

inline constexpr QSize about_picture_size{186, 122};

// The product title over the worked example's container, filled with its
// cartons and drawn by the load view itself, only smaller.
QImage about_picture(QSize size = about_picture_size);

}  // namespace varnel
