#include "ui/deferred_icon.h"

#include <QIconEngine>

#include <optional>
#include <utility>

namespace varnel {

namespace {

class deferred_icon_engine final : public QIconEngine {
public:
    explicit deferred_icon_engine(std::function<QIcon()> make) : make_(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        // `size` is in device pixels; the icon asks for logical ones.
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new deferred_icon_engine(*this); }

private:
    const QIcon& icon() {
        if (!icon_) icon_ = make_();
        return *icon_;
    }

    std::function<QIcon()> make_;
    std::optional<QIcon> icon_;
};

}  // namespace

QIcon deferred_icon(std::function<QIcon()> make) {
    return QIcon(new deferred_icon_engine(std::move(make)));
}

}  // namespace varnel
