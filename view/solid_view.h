#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <optional>

#include "view/camera.h"
#include "view/solid_model.h"
#include "view/solid_pick.h"
#include "view/solid_raster.h"
#include "view/solid_scene.h"

class QLabel;
class QSlider;
class QToolButton;

namespace varnel {

// The load as solid boxes that the user turns and looks into: a left drag
// turns it, the wheel zooms, a right drag (or Shift and a left drag) moves
// it; keys bring back the fixed views. A click names the carton under the
// pointer in a tip and outlines its block. The slider shows the load up to
// a step. Keys: 1 from the door, 2 from above, 3 from the side, 4 the
// three-quarter view, 0 or Home back to it; the arrows turn it in steps;
// + and - zoom; C the cut-away; O perspective or orthographic; Page Up and
// Page Down a step back and on, End the whole load; Esc closes the tip.
class solid_view : public QWidget {
    Q_OBJECT

public:
    explicit solid_view(QWidget* parent = nullptr);

    // A plan or container to show: the whole load from the three-quarter
    // view, the tip closed.
    void set_scene(solid_scene scene);
    const solid_scene& scene() const { return scene_; }

    // Step k (1 to the number of blocks) shows the blocks up to it, k
    // bright; none shows the whole load.
    void set_step(std::optional<int> step);
    std::optional<int> step() const { return step_; }

    void look(fixed_view view);
    void set_cut_away(bool on);
    bool cut_away() const { return options_.cut_away; }
    void set_projection(projection_kind kind);
    const camera& view_camera() const { return camera_; }
    void set_camera(const camera& c);

    // What a click at `at` (the widget's pixels) does: the carton there
    // named in the tip and its block outlined, or the tip closed.
    void pick_at(QPoint at);
    std::optional<carton_hit> picked() const { return picked_; }
    // The tip's lines; empty while no carton is picked.
    QString tip_text() const;

    // The picture as last drawn, without the keys and texts over it, in the
    // screen's pixels.
    const solid_raster& raster() const { return raster_; }

signals:
    // The user moved the slider or pressed a step key.
    void step_changed(std::optional<int> step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build_keys();
    void place_controls();
    void rebuild_model();
    void move_camera(const camera& c);
    void step_by_user(std::optional<int> step);
    void show_step_controls();
    void close_tip();
    void paint_labels(QPainter& painter) const;
    void paint_legend(QPainter& painter) const;

    solid_scene scene_;
    std::optional<int> step_;
    solid_model model_;
    camera camera_;
    fixed_view last_view_ = fixed_view::three_quarter;
    bool fitted_ = true;  // the camera is the last fixed view's, untouched
    solid_options options_;
    solid_raster raster_;
    bool stale_ = true;
    std::optional<carton_hit> picked_;

    enum class drag { none, turn, move };
    drag drag_ = drag::none;
    QPoint pressed_at_, last_at_;
    bool moved_ = false;

    QToolButton* cut_away_key_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* step_label_ = nullptr;
    QLabel* tip_ = nullptr;
};

}  // namespace varnel
