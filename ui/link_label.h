#pragma once

#include <QLabel>

namespace varnel {

// A label that links somewhere: the hand pointer, an underline while the
// mouse is over it, and a click signal. The underline goes only when the
// window says the mouse has crossed its bare background, not when it moves
// onto another control.
class link_label : public QLabel {
    Q_OBJECT
public:
    explicit link_label(const QString& text, QWidget* parent = nullptr);

    void set_underlined(bool on);
    bool underlined() const { return font().underline(); }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Clears the underline of `labels` whenever the mouse moves over `background`
// itself (not over one of its children). Installs itself as an event filter.
class underline_clearer : public QObject {
public:
    underline_clearer(QWidget* background, QList<link_label*> labels);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* background_;
    QList<link_label*> labels_;
};

}  // namespace varnel
