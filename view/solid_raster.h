#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "view/camera.h"
#include "view/canvas.h"
#include "view/solid_model.h"

namespace varnel {

// What the picture shows besides the boxes.
struct solid_options {
    // The roof and the walls between the eye and the load are left out.
    bool cut_away = true;
    // The block pointed at, outlined over everything.
    std::optional<std::size_t> outlined;
    // The current step's faces hatched, so that it stands out on paper in
    // black and white (vector pictures; the screen has colour).
    bool hatch_current = false;
};

// The solid view as pixels: each pixel shows the face nearest the eye
// (a depth buffer, exact for any view), lit by its side, with the carton
// grid and the box's edges decided per pixel from where on the face it
// lies, so lines never flicker against the face under them. Pure C++; the
// buffers stay between frames.
class solid_raster {
public:
    void render(const solid_model& model, const camera& c, int width, int height,
                const solid_options& options = {});

    int width() const { return width_; }
    int height() const { return height_; }
    // Rows top to bottom, each pixel 0xffRRGGBB.
    const std::uint32_t* data() const { return pixels_.data(); }
    rgb pixel(int x, int y) const;
    // The face that shows at a pixel; none where no box does.
    std::optional<solid_face> face_at(int x, int y) const;

private:
    // A linear function of the pixel's centre.
    struct linear {
        double a = 0, b = 0, c = 0;
        double at(double x, double y) const { return a * x + b * y + c; }
    };
    // Where on a face a pixel's centre lies, and how far u and v move from
    // one pixel to the next.
    struct face_point {
        double u, v, step_u, step_v;
    };
    // A face drawn this frame: its depth and its own coordinates u = ku +
    // nu / den and v = kv + nv / den as functions of the pixel (den is 1 in
    // an orthographic view), its extent and grid along u and v, its colours.
    struct face_setup {
        linear key, den, nu, nv;
        double ku = 0, kv = 0;
        double u0 = 0, u1 = 0, v0 = 0, v1 = 0;
        double ou = 0, pu = 0, ov = 0, pv = 0;
        rgb fill, grid;
        double edge_width = 1;
        std::uint8_t axis = 0;  // the face's normal and where it lies along it
        bool positive = false;
        double plane = 0;

        face_point at(double x, double y) const;
        // In pixels from the face's nearest edge, below zero outside it.
        double to_edge(const face_point& p) const;
    };

    face_setup setup_of(const projector& p, const solid_box& b, const solid_face& f) const;

    void paint_container_inside(const projector& p, const solid_model& model);
    void fill_depth(const projector& p, const solid_model& model);
    void shade();
    void smooth_outlines();
    void paint_near_walls(const projector& p, const solid_model& model, bool cut_away);
    void draw_edges(const projector& p, const solid_model& model, const solid_options& options);
    // How opaque a line is over the background (and the container's
    // walls), over a face it passes in front of, and behind a face.
    struct line_ink {
        double over_background, over_faces, hidden;
    };
    void draw_line(const projector& p, vec3 a, vec3 b, rgb colour, line_ink ink, int width);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::vector<float> depth_;         // nearer is larger
    std::vector<std::uint32_t> face_;  // 1 + the index into drawn_, 0 none
    std::vector<solid_face> drawn_;
    std::vector<face_setup> setups_;
};

}  // namespace varnel
