#include "view/solid_view.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/numbers.h"
#include "ui/qtext.h"
#include "view/colours.h"
#include "view/messages.h"
#include "view/type_colours.h"
#include "view/type_legend.h"

namespace varnel {

namespace {

constexpr double degree = std::numbers::pi / 180.0;
// A key turns the load by this much; a pixel of a drag by a little over
// half a degree.
constexpr double key_turn = 15 * degree, key_tilt = 10 * degree;
constexpr double drag_turn = 0.6 * degree;
// One notch of the wheel or a key zooms by this factor.
constexpr double zoom_step = 1.15;
// A press that moves less than this many pixels is a click.
constexpr int click_slack = 3;
constexpr int legend_from_width = 640;

QFont small_font() {
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(12);
    return font;
}

QString cm(double millimetres) { return qtext(size_text_cm(static_cast<float>(millimetres))); }

}  // namespace

solid_view::solid_view(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    build_keys();
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("step_slider"));
    slider_->setFocusPolicy(Qt::NoFocus);
    connect(slider_, &QSlider::valueChanged, this, [this](int k) { step_by_user(k); });
    step_label_ = new QLabel(this);
    step_label_->setObjectName(QStringLiteral("step_label"));
    step_label_->setFont(small_font());
    tip_ = new QLabel(this);
    tip_->setObjectName(QStringLiteral("carton_tip"));
    tip_->setFont(small_font());
    tip_->setStyleSheet(QStringLiteral(
        "background: rgb(255, 255, 240); color: black; border: 1px solid rgb(120, 120, 120);"
        " padding: 3px"));
    tip_->hide();
    show_step_controls();
}

void solid_view::build_keys() {
    const struct {
        const char* name;
        const char* caption;
        const char* key;
        fixed_view view;
    } keys[] = {
        {"three_quarter_key", text::three_quarter_view, "4", fixed_view::three_quarter},
        {"door_view_key", text::door_view, "1", fixed_view::door_end},
        {"top_view_key", text::top_view, "2", fixed_view::top},
        {"side_view_key", text::side_view, "3", fixed_view::side},
    };
    int x = 6;
    const auto place = [&](QToolButton* key) {
        key->setFont(small_font());
        key->setFocusPolicy(Qt::NoFocus);
        key->adjustSize();
        key->move(x, 6);
        x += key->width() + 2;
    };
    for (const auto& k : keys) {
        auto* key = new QToolButton(this);
        key->setObjectName(QString::fromLatin1(k.name));
        key->setText(qtext(k.caption));
        key->setToolTip(qtext(text::key_hint).arg(qtext(k.caption), QString::fromLatin1(k.key)));
        connect(key, &QToolButton::clicked, this, [this, v = k.view] { look(v); });
        place(key);
    }
    auto* reset = new QToolButton(this);
    reset->setObjectName(QStringLiteral("reset_view_key"));
    reset->setText(qtext(text::reset_view));
    reset->setToolTip(qtext(text::key_hint).arg(qtext(text::reset_view), QStringLiteral("0")));
    connect(reset, &QToolButton::clicked, this, [this] { look(fixed_view::three_quarter); });
    place(reset);
    x += 6;
    cut_away_key_ = new QToolButton(this);
    cut_away_key_->setObjectName(QStringLiteral("cut_away_key"));
    cut_away_key_->setText(qtext(text::cut_away));
    cut_away_key_->setToolTip(qtext(text::cut_away_hint));
    cut_away_key_->setCheckable(true);
    cut_away_key_->setChecked(options_.cut_away);
    connect(cut_away_key_, &QToolButton::toggled, this, &solid_view::set_cut_away);
    place(cut_away_key_);
}

void solid_view::set_scene(solid_scene scene) {
    scene_ = std::move(scene);
    step_.reset();
    picked_.reset();
    options_.outlined.reset();
    tip_->hide();
    rebuild_model();
    show_step_controls();
    look(fixed_view::three_quarter);
}

void solid_view::set_step(std::optional<int> step) {
    const int n = static_cast<int>(scene_.blocks.size());
    if (step) step = n == 0 ? std::nullopt : std::optional(std::clamp(*step, 1, n));
    if (step == step_) return;
    step_ = step;
    // A carton no longer shown is no longer pointed at.
    if (picked_ && step_ && static_cast<int>(picked_->block) >= *step_) {
        picked_.reset();
        options_.outlined.reset();
        tip_->hide();
    }
    rebuild_model();
    show_step_controls();
}

void solid_view::step_by_user(std::optional<int> step) {
    const std::optional<int> before = step_;
    set_step(step);
    if (step_ != before) emit step_changed(step_);
}

void solid_view::rebuild_model() {
    const std::size_t n = scene_.blocks.size();
    const solid_shown shown =
        step_ ? solid_shown{static_cast<std::size_t>(*step_), true, {}} : solid_shown{n, false, {}};
    model_ = build_model(scene_, shown);
    stale_ = true;
    update();
}

void solid_view::show_step_controls() {
    const int n = static_cast<int>(scene_.blocks.size());
    {
        const QSignalBlocker quiet(slider_);
        slider_->setRange(std::min(1, n), n);
        slider_->setValue(step_.value_or(n));
    }
    slider_->setVisible(n > 1);
    step_label_->setVisible(n > 0);
    step_label_->setText(step_ ? qtext(text::step_of).arg(*step_).arg(n)
                               : qtext(text::all_steps).arg(n));
    place_controls();
}

void solid_view::place_controls() {
    const int label_width =
        step_label_->fontMetrics().horizontalAdvance(qtext(text::step_of).arg(88888).arg(88888)) +
        4;
    const int y = height() - 26;
    step_label_->setGeometry(width() - label_width - 8, y, label_width, 20);
    slider_->setGeometry(8, y, std::max(40, width() - label_width - 24), 20);
}

void solid_view::look(fixed_view view) {
    last_view_ = view;
    fitted_ = true;
    camera_ = fixed_camera(view, scene_.container, width(), height(), camera_.kind);
    close_tip();
    stale_ = true;
    update();
}

void solid_view::set_projection(projection_kind kind) {
    if (kind == camera_.kind) return;
    camera_.kind = kind;
    if (fitted_) camera_ = fixed_camera(last_view_, scene_.container, width(), height(), kind);
    stale_ = true;
    update();
}

void solid_view::set_camera(const camera& c) { move_camera(c); }

void solid_view::move_camera(const camera& c) {
    camera_ = c;
    fitted_ = false;
    close_tip();
    stale_ = true;
    update();
}

void solid_view::set_cut_away(bool on) {
    {
        const QSignalBlocker quiet(cut_away_key_);
        cut_away_key_->setChecked(on);
    }
    if (options_.cut_away == on) return;
    options_.cut_away = on;
    stale_ = true;
    update();
}

// The tip goes when the picture moves under it; the block stays outlined.
void solid_view::close_tip() { tip_->hide(); }

void solid_view::pick_at(QPoint at) {
    picked_ = pick(scene_, model_, camera_, width(), height(), {at.x() + 0.5, at.y() + 0.5});
    options_.outlined = picked_ ? std::optional(picked_->block) : std::nullopt;
    stale_ = true;
    update();
    if (!picked_) {
        tip_->hide();
        return;
    }
    tip_->setText(tip_text());
    tip_->adjustSize();
    // Beside the pointer, inside the view.
    const int x = std::clamp(at.x() + 14, 0, std::max(0, width() - tip_->width()));
    const int y = at.y() + 14 + tip_->height() <= height()
                      ? at.y() + 14
                      : std::max(0, at.y() - 8 - tip_->height());
    tip_->move(x, y);
    tip_->show();
    tip_->raise();
}

QString solid_view::tip_text() const {
    if (!picked_) return {};
    const carton_block& b = scene_.blocks[picked_->block];
    const solid_type& t = scene_.types[b.type];
    const vec3 at = picked_->corner;
    QStringList lines{
        qtext(text::tip_carton) + QString::fromStdString(t.name),
        qtext(text::tip_size) + qtext(size_text(t.size)),
        qtext(text::tip_stance) + qtext(stance_text(b.orientation)),
        qtext(text::tip_step).arg(picked_->block + 1),
        qtext(text::tip_position).arg(cm(at.y), cm(at.x), cm(at.z)),
        t.weight ? qtext(text::tip_weight).arg(qtext(format_number(static_cast<float>(*t.weight))))
                 : qtext(text::tip_weight_unknown),
    };
    return lines.join(QLatin1Char('\n'));
}

// The picture is drawn in the screen's own pixels: a screen of two pixels
// a point gets lines of one.
void solid_view::paintEvent(QPaintEvent*) {
    const double ratio = devicePixelRatioF();
    const int w = static_cast<int>(std::lround(width() * ratio));
    const int h = static_cast<int>(std::lround(height() * ratio));
    if (stale_ || raster_.width() != w || raster_.height() != h) {
        raster_.render(model_, camera_, w, h, options_);
        stale_ = false;
    }
    QImage image(reinterpret_cast<const uchar*>(raster_.data()), raster_.width(), raster_.height(),
                 raster_.width() * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    paint_labels(painter);
    paint_legend(painter);
}

// The door and the far end named where they show, so the view never leaves
// one guessing which way the container lies.
void solid_view::paint_labels(QPainter& painter) const {
    const projector p(camera_, width(), height());
    const vec3 c = drawable_container(scene_.container);
    painter.setFont(small_font());
    painter.setPen(QColor(60, 66, 76));
    const struct {
        vec3 at;
        const char* name;
    } labels[] = {{{c.x / 2, c.y, 0}, text::door_end}, {{c.x / 2, 0, c.z}, text::far_end_wall}};
    for (const auto& l : labels) {
        const std::optional<screen_point> s = p.to_screen(l.at);
        if (!s || !(s->x >= 0 && s->y >= 0 && s->x <= width() && s->y <= height())) continue;
        // Clear of the keys above and the slider below.
        const int y = std::clamp(static_cast<int>(s->y) + (l.at.z == 0 ? 2 : -16), 32,
                                 std::max(32, height() - 46));
        painter.drawText(QRect(static_cast<int>(s->x) - 30, y, 60, 14), Qt::AlignCenter,
                         qtext(l.name));
    }
}

void solid_view::paint_legend(QPainter& painter) const {
    if (width() < legend_from_width) return;
    std::vector<legend_entry> legend;
    if (scene_.face_colours) {
        legend = {{qtext(text::legend_front), front_colour},
                  {qtext(text::legend_top), top_colour},
                  {qtext(text::legend_side), side_colour}};
    } else {
        std::vector<bool> loaded(scene_.types.size(), false);
        for (const carton_block& b : scene_.blocks) {
            if (b.type < loaded.size()) loaded[b.type] = true;
        }
        for (std::size_t t = 0; t < scene_.types.size(); ++t) {
            if (!loaded[t]) continue;
            const rgb colour = scene_.types[t].colour;
            legend.push_back(
                {QString::fromStdString(scene_.types[t].name), colour, lighter(colour, 0.42)});
        }
    }
    if (legend.empty()) return;
    paint_type_legend(painter, QPoint(width() - 8, height() - 34), legend);
}

// A view the user has not moved keeps filling the area; a moved one stays
// as it is.
void solid_view::resizeEvent(QResizeEvent* event) {
    place_controls();
    if (fitted_)
        camera_ = fixed_camera(last_view_, scene_.container, width(), height(), camera_.kind);
    stale_ = true;
    if (event->oldSize().isValid() && event->oldSize() != event->size()) close_tip();
}

void solid_view::mousePressEvent(QMouseEvent* event) {
    pressed_at_ = last_at_ = event->position().toPoint();
    moved_ = false;
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (event->button() == Qt::RightButton || (event->button() == Qt::LeftButton && shift)) {
        drag_ = drag::move;
    } else if (event->button() == Qt::LeftButton) {
        drag_ = drag::turn;
    }
}

void solid_view::mouseMoveEvent(QMouseEvent* event) {
    if (drag_ == drag::none) return;
    const QPoint at = event->position().toPoint();
    if ((at - pressed_at_).manhattanLength() > click_slack) moved_ = true;
    if (!moved_) return;
    const QPoint d = at - last_at_;
    last_at_ = at;
    if (drag_ == drag::turn) {
        move_camera(orbited(camera_, -d.x() * drag_turn, d.y() * drag_turn));
    } else {
        move_camera(panned(camera_, d.x(), d.y(), height()));
    }
}

void solid_view::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_ != drag::none && !moved_ && event->button() == Qt::LeftButton) {
        pick_at(event->position().toPoint());
    }
    drag_ = drag::none;
}

void solid_view::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    const QPointF at = event->position();
    if (notches != 0) {
        move_camera(
            zoomed_at(camera_, std::pow(zoom_step, notches), {at.x(), at.y()}, width(), height()));
    }
}

void solid_view::keyPressEvent(QKeyEvent* event) {
    const int n = static_cast<int>(scene_.blocks.size());
    switch (event->key()) {
        case Qt::Key_1: look(fixed_view::door_end); break;
        case Qt::Key_2: look(fixed_view::top); break;
        case Qt::Key_3: look(fixed_view::side); break;
        case Qt::Key_4:
        case Qt::Key_0:
        case Qt::Key_Home: look(fixed_view::three_quarter); break;
        case Qt::Key_Left: move_camera(orbited(camera_, key_turn, 0)); break;
        case Qt::Key_Right: move_camera(orbited(camera_, -key_turn, 0)); break;
        case Qt::Key_Up: move_camera(orbited(camera_, 0, key_tilt)); break;
        case Qt::Key_Down: move_camera(orbited(camera_, 0, -key_tilt)); break;
        case Qt::Key_Plus:
        case Qt::Key_Equal: move_camera(zoomed(camera_, zoom_step)); break;
        case Qt::Key_Minus: move_camera(zoomed(camera_, 1 / zoom_step)); break;
        case Qt::Key_C: set_cut_away(!options_.cut_away); break;
        case Qt::Key_O:
            set_projection(camera_.kind == projection_kind::perspective
                               ? projection_kind::orthographic
                               : projection_kind::perspective);
            break;
        case Qt::Key_PageUp: step_by_user(std::max(1, step_.value_or(n + 1) - 1)); break;
        case Qt::Key_PageDown:
            if (step_) step_by_user(*step_ < n ? std::optional(*step_ + 1) : std::nullopt);
            break;
        case Qt::Key_End: step_by_user(std::nullopt); break;
        case Qt::Key_Escape: close_tip(); break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

}  // namespace varnel
