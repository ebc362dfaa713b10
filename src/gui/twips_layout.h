#pragma once
// A layout that places each widget at a fixed rectangle, given in twips
// (1/15 pixel at 96 dpi) within a client area of a base size, and keeps it
// right when the window is resized: a widget may stretch with the width or
// the height, or keep its distance to the right or bottom edge.

#include <QLayout>
#include <QRect>

#include <vector>

namespace quorvath {

class TwipsLayout : public QLayout {
public:
    enum Anchor {
        Fixed = 0,
        StretchWidth = 1,  // keeps both side margins
        StretchHeight = 2, // keeps both top and bottom margins
        Right = 4,         // keeps its distance to the right edge
        Bottom = 8,        // keeps its distance to the bottom edge
    };

    TwipsLayout(QWidget* parent, int baseWidthTwips, int baseHeightTwips);
    ~TwipsLayout() override;

    void add(QWidget* widget, int left, int top, int width, int height, int anchors);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QSize sizeHint() const override { return base_; }
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Item {
        QLayoutItem* item;
        QRect base; // pixels, in the client area of the base size
        int anchors;
    };
    std::vector<Item> items_;
    QSize base_;
};

} // namespace quorvath
