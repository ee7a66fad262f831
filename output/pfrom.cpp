#include "output/pfrom.h"

#include <QLabel>
#include <QPixmap>
#include <QPrinter>

#include "output/messages.h"
#include "ui/qtext.h"

namespace varnel {

pfrom::pfrom(QWidget* owner) : QWidget(owner, Qt::Window), picture_box_(new QLabel(this)) {
    setWindowTitle(qtext(text::print_holder_caption));
    setFixedSize(picture_box_rect.right() + 1 + picture_box_rect.left(),
                 picture_box_rect.bottom() + 1 + picture_box_rect.top());
    picture_box_->setGeometry(picture_box_rect);
    picture_box_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

pfrom::~pfrom() = default;

void pfrom::clear_picture() {
    picture_ = {};
    picture_box_->clear();
}

void pfrom::set_picture(picture captured) {
    picture_ = std::move(captured);
    if (picture_.empty()) {
        picture_box_->clear();
    } else {
        picture_box_->setPixmap(QPixmap::fromImage(picture_.bitmap));
    }
}

QPrinter& pfrom::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

}  // namespace varnel
