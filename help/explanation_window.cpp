#include "help/explanation_window.h"

#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

#include "help/messages.h"
#include "ui/messages.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

constexpr int margin = 12;
constexpr int header_height = 32;  // the rule under the header
constexpr int body_top = 40;

const QColor header_colour(0, 0, 128);
const QColor step_colour(128, 0, 0);

QFont song(int pixels, bool bold = false) {
    QFont font(QStringLiteral("SimSun"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

const char* const steps[] = {text::explanation_step_1, text::explanation_step_2,
                             text::explanation_step_3, text::explanation_step_4};

// Each step its own paragraph, its "第…步：" in dark red bold, so the eye
// finds the four steps at once.
void write_steps(QTextDocument& body) {
    body.setDefaultFont(song(12));
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
    painter.setFont(song(16, true));
    painter.drawText(header_box, Qt::AlignLeft | Qt::AlignBottom, names[0]);
    painter.setFont(song(12));
    painter.drawText(header_box, Qt::AlignRight | Qt::AlignBottom, names[1]);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(margin, header_height, width() - margin, header_height);
    painter.setPen(Qt::white);
    painter.drawLine(margin, header_height + 1, width() - margin, header_height + 1);

    painter.translate(margin, body_top);
    body_.drawContents(&painter);
}

kjisuanshouming::kjisuanshouming(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      picture_(new explanation_picture(this)),
      close_button_(new QPushButton(qtext(text::close_this_window), this)) {
    setWindowTitle(qtext(text::explanation_caption));
    setFixedSize(353, 248);
    setFont(song(12));
    QPalette light = palette();
    light.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(light);
    setAutoFillBackground(true);

    close_button_->setGeometry(74, 210, 191, 28);
    close_button_->setDefault(true);
    connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace varnel
