// Renders the solid view of sample loads to PNG files, to look at:
// solid_pictures FOLDER [WIDTH HEIGHT]. Each fixed view of a mixed load,
// a step of it with a carton pointed at, the walls not cut away, and a load
// of one carton size in the face colours.
#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

#include "bench/solid_plans.h"
#include "view/solid_view.h"

namespace {

using namespace varnel;

// One carton size in three blocks, as an optimised plan fills the worked
// example's container: upright, then on its side in the strip left at the
// right wall, then turned in the row left at the door.
solid_scene one_size() {
    solid_scene s;
    s.container = {2350, 5900, 2390};
    s.face_colours = true;
    s.types = {{"", {600, 850, 400}, 20.0, type_colour(0)}};
    s.blocks = {{0, 0, 0, 1, 3, 6, 5, 0}, {1800, 0, 0, 4, 1, 9, 2, 0}, {0, 5100, 0, 3, 2, 1, 5, 0}};
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: solid_pictures FOLDER [WIDTH HEIGHT]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int width = argc > 3 ? std::atoi(argv[2]) : 515;
    const int height = argc > 3 ? std::atoi(argv[3]) : 383;
    solid_view view;
    view.resize(width, height);
    const auto save = [&](const char* name) {
        view.grab().save(folder.filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
    };
    view.set_scene(packed_load(1000, 30));
    const struct {
        fixed_view v;
        const char* name;
    } views[] = {{fixed_view::three_quarter, "three_quarter"},
                 {fixed_view::door_end, "door_end"},
                 {fixed_view::top, "top"},
                 {fixed_view::side, "side"}};
    for (const auto& v : views) {
        view.look(v.v);
        save(v.name);
    }
    view.look(fixed_view::three_quarter);
    view.set_step(static_cast<int>(view.scene().blocks.size() * 2 / 3));
    view.pick_at(QPoint(width / 2, height / 2));
    save("step_and_tip");
    view.set_step(std::nullopt);
    view.set_cut_away(false);
    save("walls");
    view.set_scene(packed_load(10000, 30));
    save("ten_thousand");
    view.set_scene(one_size());
    save("one_size");
    view.look(fixed_view::door_end);
    save("one_size_door");
    return 0;
}
