#pragma once

#include <QProxyStyle>

namespace varnel {

// The Fusion style, except that the pictures of the tool bars' and the menu
// bar's overflow buttons are read when first drawn: those buttons show only
// when a bar is too narrow for its keys, and reading their pictures at
// start-up loads every image format plugin.
class program_style final : public QProxyStyle {
public:
    program_style();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace varnel
