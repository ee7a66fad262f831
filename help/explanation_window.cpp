#include "help/explanation_window.h"

#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

#include "help/messages.h"
#include "ui/form.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/palette.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

constexpr int margin = 12;
constexpr int header_height = 32;  // the rule under the header
constexpr int body_top = 40;

const QColor header_colour = palette::navy;
const QColor step_colour = palette::maroon;

const char* const steps[] = {text::explanation_step_1, text::explanation_step_2,
                             text::explanation_step_3, text::explanation_step_4};

// Each step its own paragraph, its "第…步：" in dark red bold, so the eye
// finds the four steps at once.
void write_steps(QTextDocument& body) {
    body.setDefaultFont(simsun(12));
    body.setDocumentMargin(0);
    body.setTextWidth(explanation_picture::place.width() - 2 * margin);
    QTextCursor cursor(&body);
    QTextBlockFormat paragraph;
    paragraph.setBottomMargin(4);
    QTextCharFormat plain;
    QTextCharFormat marker;
    marker.setForeground(step_colour);
    marker.setFontWeight(QFont::Bold);
    bool first = true;
    for (const char* step : steps) {
        const QString text = qtext(step);
        const qsizetype colon = text.indexOf(QChar(0xFF1A)) + 1;  // after "："
        if (first) {
            cursor.setBlockFormat(paragraph);
        } else {
            cursor.insertBlock(paragraph);
        }
        first = false;
        cursor.insertText(text.left(colon), marker);
        cursor.insertText(text.mid(colon), plain);
    }
}

}  // namespace

explanation_picture::explanation_picture(QWidget* parent) : QWidget(parent) {
    setGeometry(place);
    write_steps(body_);
}

QStringList explanation_picture::header() const {
    return {qtext(text::explanation_caption), qtext(text::application_title)};
}

QStringList explanation_picture::paragraphs() const {
    QStringList out;
    for (QTextBlock block = body_.begin(); block.isValid(); block = block.next()) {
        out << block.text();
    }
    return out;
}

int explanation_picture::text_bottom() const {
    return body_top + static_cast<int>(std::ceil(body_.size().height()));
}

void explanation_picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStringList names = header();
    const QRect header_box(margin, 0, width() - 2 * margin, header_height - 2);
    painter.setPen(header_colour);
    painter.setFont(simsun(16, true));
    painter.drawText(header_box, Qt::AlignLeft | Qt::AlignBottom, names[0]);
    painter.setFont(simsun(12));
    painter.drawText(header_box, Qt::AlignRight | Qt::AlignBottom, names[1]);
    painter.setPen(palette::dark_grey);
    painter.drawLine(margin, header_height, width() - margin, header_height);
    painter.setPen(Qt::white);
    painter.drawLine(margin, header_height + 1, width() - margin, header_height + 1);

    painter.translate(margin, body_top);
    body_.drawContents(&painter);
}

// clang-format off
constexpr form::control controls[] = {
    {"picture", form::kind::custom, "", explanation_picture::place},
    {"close_button", form::kind::button, "", {74, 210, 191, 28}, text::close_this_window},
};
// clang-format on

kjisuanshouming::kjisuanshouming(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(qtext(text::explanation_caption));
    setFixedSize(353, 248);
    setFont(simsun(12));
    QPalette light = palette();
    light.setColor(QPalette::Window, palette::light_grey);
    setPalette(light);
    setAutoFillBackground(true);

    form::build(*this, controls, [](const form::control&, QWidget* frame) -> QWidget* {
        return new explanation_picture(frame);
    });
    picture_ = form::part<explanation_picture>(*this, "picture");
    close_button_ = form::part<QPushButton>(*this, "close_button");
    close_button_->setDefault(true);
    connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace varnel
