#include "dialogs/ktuopanjieguo.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <utility>

#include "catalogue/messages.h"
#include "dialogs/dialog_parts.h"
#include "dialogs/messages.h"
#include "engine/single/pallet_text.h"
#include "ui/form.h"
#include "ui/palette.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

using form::kind;
using palette::blue, palette::dark_blue;

constexpr int dialog_width = 460;
constexpr int drawing_size = 200;

// clang-format off
constexpr form::control controls[] = {
    {"result_frame", kind::frame, "", {3, 3, dialog_width - 9, 132}, text::pallet_result_frame, dark_blue},
    {"result_text", kind::label, "result_frame", {14, 20, 0, 0}},
    {"drawing_frame", kind::frame, "", {3, 139, dialog_width - 9, drawing_size + 46}, text::layer_drawing_frame, blue},
    {"first_caption", kind::label, "drawing_frame", {14, 20, 0, 0}},
    {"second_caption", kind::label, "drawing_frame", {14 + drawing_size + 20, 20, 0, 0}},
    {"exit_button", kind::button, "", {(dialog_width - 183) / 2, drawing_size + 193, 183, 28}, text::wide_exit_caption},
};
// clang-format on

// A layer seen from above: the deck, and each carton on it. The pallet's
// length runs across, its width down.
class layer_drawing : public QWidget {
public:
    layer_drawing(layer_pattern layer, const pallet_measures& pallet, QWidget* parent)
        : QWidget(parent), layer_(std::move(layer)), length_(pallet.length), width_(pallet.width) {
        setFixedSize(drawing_size, drawing_size);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const double scale = (drawing_size - 2) / std::max(length_, width_);
        const auto at = [scale](double mm) { return 1.0 + mm * scale; };
        painter.setPen(palette::black);
        painter.setBrush(palette::pallet_deck);
        painter.drawRect(QRectF(at(0), at(0), length_ * scale, width_ * scale));
        painter.setBrush(palette::carton_top);
        for (const layer_carton& c : layer_) {
            painter.drawRect(QRectF(at(c.x), at(c.y), c.length * scale, c.width * scale));
        }
    }

private:
    layer_pattern layer_;
    double length_, width_;
};

}  // namespace

ktuopanjieguo::ktuopanjieguo(const pallet_plan& plan, const pallet_measures& pallet,
                             const QString& pallet_name, QWidget* parent)
    : QDialog(parent) {
    dialog_parts::set_up(*this, text::ktuopanjieguo_title, dialog_width, drawing_size + 228);
    setWindowTitle(windowTitle() + QStringLiteral("：") + pallet_name);
    form::build(*this, controls);
    result_text = form::part<QLabel>(*this, "result_text");
    exit_button = form::part<QPushButton>(*this, "exit_button");
    QString lines;
    for (const std::string& line : pallet_lines(plan)) {
        if (!lines.isEmpty()) lines += QLatin1Char('\n');
        lines += qtext(line);
    }
    result_text->setText(lines);
    result_text->adjustSize();

    auto* frame = form::part<QWidget>(*this, "drawing_frame");
    const bool both = plan.layer_patterns.size() > 1;
    for (std::size_t k = 0; k < plan.layer_patterns.size(); ++k) {
        auto* drawing = new layer_drawing(plan.layer_patterns[k], pallet, frame);
        drawing->setObjectName(k == 0 ? QStringLiteral("first_layer")
                                      : QStringLiteral("second_layer"));
        drawing->move(14 + static_cast<int>(k) * (drawing_size + 20), 40);
        layer_drawings.push_back(drawing);
    }
    if (both) {
        const std::pair<const char*, const char*> captions[] = {
            {"first_caption", text::odd_layers}, {"second_caption", text::even_layers}};
        for (const auto& [name, caption] : captions) {
            auto* label = form::part<QLabel>(*this, name);
            label->setText(qtext(caption));
            label->adjustSize();
        }
    }
    connect(exit_button, &QPushButton::clicked, this, &QDialog::accept);
}

void ktuopanjieguo::add_solid_view(QWidget* view) {
    solid = view;
    solid->setParent(this);
    solid->setGeometry(form::part<QWidget>(*this, "drawing_frame")->geometry());
    solid->hide();
    const QRect exit = exit_button->geometry();
    solid_button = new QPushButton(qtext(text::pallet_solid_caption), this);
    solid_button->setObjectName(QStringLiteral("solid_button"));
    solid_button->setCheckable(true);
    solid_button->setGeometry(exit.right() + 9, exit.top(), width() - exit.right() - 18,
                              exit.height());
    connect(solid_button, &QPushButton::toggled, this, &ktuopanjieguo::show_solid);
}

void ktuopanjieguo::show_solid(bool on) {
    if (!solid) return;
    solid->setVisible(on);
    if (on) {
        solid->raise();
        solid->setFocus();
    }
    if (solid_button->isChecked() != on) solid_button->setChecked(on);
}

}  // namespace varnel
