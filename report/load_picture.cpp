#include "report/load_picture.h"

#include <algorithm>
#include <optional>

#include "report/messages.h"
#include "report/painter_sink.h"
#include "ui/fonts.h"
#include "ui/qtext.h"
#include "view/messages.h"
#include "view/solid_framing.h"
#include "view/solid_vector.h"
#include "view/type_colours.h"

namespace varnel {

namespace {

QColor qcolour(rgb c) { return {c.red, c.green, c.blue}; }

// The solid pictures are drawn in units of half a point: their lines (one
// unit for an edge, more for the step's outline) come out fine on paper, and
// grid lines closer than the renderer's few units are left out.
constexpr double units_per_point = 2.0;

// A picture's place on the page and its size in the renderer's units.
struct picture_frame {
    QRectF page;
    int width, height;

    explicit picture_frame(const QRectF& r)
        : page(r),
          width(std::max(1, static_cast<int>(r.width() * units_per_point))),
          height(std::max(1, static_cast<int>(r.height() * units_per_point))) {}

    QTransform placement() const {
        return QTransform::fromScale(1.0 / units_per_point, 1.0 / units_per_point) *
               QTransform::fromTranslate(page.left(), page.top());
    }
    // Where a point of the container shows on the page.
    std::optional<QPointF> at(const camera& c, vec3 p) const {
        const std::optional<screen_point> s = projector(c, width, height).to_screen(p);
        if (!s) return std::nullopt;
        return placement().map(QPointF(s->x, s->y));
    }
};

void draw_picture(QPainter& painter, const picture_frame& f, const solid_model& model,
                  const camera& c, const solid_options& options) {
    painter.save();
    painter.setClipRect(f.page);
    painter_sink sink(painter, f.placement());
    draw_solid(sink, model, c, f.width, f.height, options);
    painter.restore();
}

// A name in the picture, centred on `at` horizontally, above it or below.
void label(QPainter& painter, std::optional<QPointF> at, const char* name, double size,
           bool above) {
    if (!at) return;
    painter.setFont(page_font(static_cast<int>(size)));
    painter.setPen(Qt::black);
    const double top = above ? at->y() - size * 1.6 : at->y() + 1;
    const Qt::Alignment align = Qt::AlignHCenter | (above ? Qt::AlignBottom : Qt::AlignTop);
    painter.drawText(QRectF(at->x() - 40, top, 80, size * 1.5), static_cast<int>(align.toInt()),
                     qtext(name));
}

double label_size(const QRectF& frame) { return std::clamp(frame.height() * 0.07, 6.0, 10.0); }

}  // namespace

void draw_whole_load(QPainter& painter, const QRectF& frame, const solid_scene& scene) {
    painter.save();
    const solid_model model = build_model(scene, {scene.blocks.size(), false, {}});
    const double size = label_size(frame);
    // Room for the names of the door below and of the far end above; the
    // view from above takes a strip at the right.
    const double split = frame.width() * 0.7;
    const picture_frame main(
        QRectF(frame.left(), frame.top() + size * 1.6, split, frame.height() - size * 3.2));
    const camera three_quarter =
        fixed_camera(fixed_view::three_quarter, model.container, main.width, main.height);
    draw_picture(painter, main, model, three_quarter, {});
    const vec3 box = model.container;
    label(painter, main.at(three_quarter, {box.x / 2, box.y, 0}), text::door, size, false);
    label(painter, main.at(three_quarter, {box.x / 2, 0, box.z}), text::far_end, size, true);

    const double side = frame.width() - split;
    const picture_frame top(
        QRectF(frame.left() + split, frame.top() + size * 1.6, side, frame.height() - size * 3.2));
    const camera above =
        fixed_camera(fixed_view::top, box, top.width, top.height, projection_kind::orthographic);
    draw_picture(painter, top, model, above, {});
    label(painter, top.at(above, {box.x, box.y / 2, box.z}), text::top_view, size, true);
    painter.restore();
}

void draw_step_load(QPainter& painter, const QRectF& frame, const solid_scene& scene,
                    const solid_shown& shown) {
    painter.save();
    const solid_model model = build_model(scene, shown);
    const double size = label_size(frame);
    const picture_frame f(frame.adjusted(0, 0, 0, -size * 1.6));
    const camera c = step_camera(model, f.width, f.height);
    solid_options options;
    options.hatch_current = true;
    draw_picture(painter, f, model, c, options);
    // The door is named where the picture reaches it; a picture of the far
    // part alone says where it is seen from.
    const vec3 box = model.container;
    const std::optional<QPointF> door = f.at(c, {box.x / 2, box.y, 0});
    if (door && door->y() <= f.page.bottom() + 1 && f.page.contains(door->x(), f.page.top())) {
        label(painter, door, text::door, size, false);
    } else {
        label(painter, QPointF(f.page.center().x(), f.page.bottom()), text::door_view, size, false);
    }
    painter.restore();
}

void draw_swatch(QPainter& painter, const QRectF& square, std::size_t colour) {
    painter.save();
    painter.setPen(QPen(Qt::black, 0.5));
    painter.setBrush(qcolour(type_colour(colour)));
    painter.drawRect(square);
    painter.restore();
}

}  // namespace varnel
