#include "help/about_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

#include "help/about_picture.h"
#include "help/help_commands.h"
#include "help/messages.h"
#include "ui/form.h"
#include "ui/link_label.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

using form::kind;
using palette::blue, palette::maroon;

// The labels' places were made for a face whose lines are 13 pixels high;
// where the face in use needs more room (or an address is longer) a label
// grows about the same centre, so nothing is cut.
// clang-format off
constexpr form::control controls[] = {
    {"picture", kind::picture, "", {14, 12, 186, 122}},
    {"version_label", kind::label, "", {215, 111, 72, 13}, text::version, maroon},
    {"notice_label", kind::label, "", {69, 164, 171, 13}, text::about_notice},
    {"web_label", kind::link, "", {71, 188, 146, 13}, text::web_label, blue, 0, false, maker::web_address},
    {"mail_label", kind::link, "", {66, 206, 157, 13}, text::mail_label, blue, 0, false, maker::mail_address},
};
// clang-format on

void grow_about_centre(QLabel* label) {
    const QRect layout = label->geometry();
    QFont underlined = label->font();
    underlined.setUnderline(true);
    const QSize text = QFontMetrics(underlined).size(Qt::TextSingleLine, label->text());
    QRect rect(layout);
    rect.setWidth(std::max(layout.width(), text.width() + 2));
    rect.setHeight(std::max(layout.height(), text.height()));
    rect.moveCenter(layout.center());
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignCenter);
}

}  // namespace

aboutus::aboutus(prompts& ask, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ask_(ask) {
    setWindowTitle(qtext(text::about_caption));
    setFixedSize(312, 239);
    setFont(simsun(12));
    form::build(*this, controls);
    picture_ = form::part<QLabel>(*this, "picture");
    version_ = form::part<QLabel>(*this, "version_label");
    notice_ = form::part<QLabel>(*this, "notice_label");
    web_ = form::part<link_label>(*this, "web_label");
    mail_ = form::part<link_label>(*this, "mail_label");

    picture_->setPixmap(QPixmap::fromImage(about_picture()));

    // The notice opens with "©" and digits, whose advances are fractional:
    // the Han characters after them would land between pixels, where the thin
    // strokes of the serif face smear into a heavier, sans-looking weight.
    // Full hinting keeps every glyph on whole pixels, as the other labels'
    // Han characters are.
    QFont whole_pixels = font();
    whole_pixels.setHintingPreference(QFont::PreferFullHinting);
    notice_->setFont(whole_pixels);
    for (QLabel* label : std::initializer_list<QLabel*>{version_, notice_, web_, mail_}) {
        grow_about_centre(label);
    }

    new underline_clearer(this, {web_, mail_});
    connect(web_, &link_label::clicked, this, [this] {
        open_or_explain(ask_, maker_web_url(), text::web_page_unopened, qtext(maker::web_address));
    });
    connect(mail_, &link_label::clicked, this, [this] {
        open_or_explain(ask_, feedback_url(), text::mail_unopened, qtext(maker::mail_address));
    });
}

void aboutus::mouseReleaseEvent(QMouseEvent* event) {
    // Clicks on the labels reach here too (they take none themselves): only
    // the bare window and the picture close it.
    if (event->button() == Qt::LeftButton) {
        QWidget* under = childAt(event->position().toPoint());
        if (under == nullptr || under == picture_) {
            accept();
            return;
        }
    }
    QDialog::mouseReleaseEvent(event);
}

}  // namespace varnel
