#pragma once

#include <QDialog>

class QLabel;

namespace varnel {

class link_label;
class prompts;

// The about window: the picture, the version, the maker's notice and two
// links. A click on the bare window or on the picture closes it.
class aboutus : public QDialog {
    Q_OBJECT
public:
    aboutus(prompts& ask, QWidget* parent = nullptr);

    QLabel* picture() const { return picture_; }
    QLabel* version_label() const { return version_; }
    QLabel* notice_label() const { return notice_; }
    link_label* web_label() const { return web_; }
    link_label* mail_label() const { return mail_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    prompts& ask_;
    QLabel* picture_{};
    QLabel* version_{};
    QLabel* notice_{};
    link_label* web_{};
    link_label* mail_{};
};

}  // namespace varnel
