// Every module's texts in one translation unit: this file compiles only while
// no two headers define the same name in the same namespace.
#include "app/messages.h"
#include "catalogue/messages.h"
#include "dialogs/messages.h"
#include "engine/messages.h"
#include "help/messages.h"
#include "output/messages.h"
#include "plan/messages.h"
#include "tools/messages.h"
#include "ui/messages.h"
#include "view/messages.h"

#include <gtest/gtest.h>

#include <string_view>

namespace varnel {
namespace {

struct text_case {
    const char* name;
    const char* text;
    std::string_view expected;
};

// The names two modules share, each reached through its module's namespace,
// keep each module's own wording.
TEST(messages, shared_names_keep_each_modules_text) {
    const text_case cases[] = {
        {"engine length", text::engine::carton_length_wrong, "包装箱的长输入有误，请重新输入"},
        {"catalogue length", text::catalogue::carton_length_wrong,
         "包装箱的长度输入有误，请重新输入"},
        {"engine width", text::engine::carton_width_wrong, "包装箱的宽输入有误，请重新输入"},
        {"catalogue width", text::catalogue::carton_width_wrong,
         "包装箱的宽度输入有误，请重新输入"},
        {"engine height", text::engine::carton_height_wrong, "包装箱的高输入有误，请重新输入"},
        {"catalogue height", text::catalogue::carton_height_wrong,
         "包装箱的高度输入有误，请重新输入"},
        {"main window carton list", text::app::choose_carton, "从纸箱尺寸列表中选择："},
        {"carton dialog prompt", text::catalogue::choose_carton, "请选择要更改的包装箱"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string_view{c.text}, c.expected) << c.name;
    }
}

}  // namespace
}  // namespace varnel
