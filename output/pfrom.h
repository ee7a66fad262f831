#pragma once

#include <QWidget>

#include <memory>

#include "output/capture.h"

class QLabel;
class QPrinter;

namespace varnel {

// The print holder: a window that is never shown, with one picture box that
// keeps the last capture until the next print. It also keeps the printer, so
// the user's choice of printer holds from one print to the next.
class pfrom : public QWidget {
    Q_OBJECT
public:
    static constexpr QRect picture_box_rect{13, 3, 736, 556};

    // Owned by `owner` (the main window) and goes with it, hidden all along.
    explicit pfrom(QWidget* owner = nullptr);
    ~pfrom() override;

    void clear_picture();
    void set_picture(picture captured);
    const picture& current_picture() const { return picture_; }

    QLabel* picture_box() const { return picture_box_; }

    // Made on first use: finding the system's printers can take a moment.
    QPrinter& printer();

private:
    QLabel* picture_box_;
    picture picture_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace varnel
