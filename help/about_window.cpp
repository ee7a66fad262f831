#include "help/about_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

#include "help/about_picture.h"
#include "help/help_commands.h"
#include "help/messages.h"
#include "ui/link_label.h"
#include "ui/messages.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

const QColor dark_red(128, 0, 0);
const QColor link_blue(0, 0, 255);

QFont song(int pixels) {
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(pixels);
    return font;
}

void set_colour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A one-line label at its place. The places were made for a face whose lines
// are 13 pixels high; where the face in use needs more room (or an address
// is longer) the label grows about the same centre, so nothing is cut.
void place(QLabel* label, const QRect& layout) {
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
      ask_(ask),
      picture_(new QLabel(this)),
      version_(new QLabel(qtext(text::version), this)),
      notice_(new QLabel(qtext(text::about_notice), this)),
      web_(new link_label(qtext(text::web_label) + qtext(maker::web_address), this)),
      mail_(new link_label(qtext(text::mail_label) + qtext(maker::mail_address), this)) {
    setWindowTitle(qtext(text::about_caption));
    setFixedSize(312, 239);
    setFont(song(12));

    picture_->setPixmap(QPixmap::fromImage(about_picture()));
    picture_->setGeometry(14, 12, 186, 122);

    // The notice opens with "©" and digits, whose advances are fractional:
    // the Han characters after them would land between pixels, where the thin
    // strokes of the serif face smear into a heavier, sans-looking weight.
    // Full hinting keeps every glyph on whole pixels, as the other labels'
    // Han characters are.
    QFont whole_pixels = font();
    whole_pixels.setHintingPreference(QFont::PreferFullHinting);
    notice_->setFont(whole_pixels);

    set_colour(version_, dark_red);
    set_colour(web_, link_blue);
    set_colour(mail_, link_blue);
    place(version_, {215, 111, 72, 13});
    place(notice_, {69, 164, 171, 13});
    place(web_, {71, 188, 146, 13});
    place(mail_, {66, 206, 157, 13});

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
