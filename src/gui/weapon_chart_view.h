#pragma once
// A pane's weapons chart: a player's kills and deaths by weapon as two bars
// per weapon, drawn in the pane's colours and font and scaled to the pane as
// it is resized. The figures are there as text too: a tooltip per weapon, the
// accessible description, Up/Down from weapon to weapon (each one's figures
// in a tooltip) and Ctrl+C for the whole table. Like a text pane it is a drop
// target of the window's two lists.
//
// Interface thread only.

#include "core/report/weapon_figures.h"
#include "core/session/statistics_session.h"

#include <QWidget>

#include <vector>

namespace quorvath {

class WeaponChartView : public QWidget {
    Q_OBJECT
public:
    explicit WeaponChartView(QWidget* parent = nullptr);

    // The figures to draw; `title` names the chart ("Kills and deaths by weapon of NAME").
    void showFigures(std::vector<WeaponFigures> figures, const QString& title);
    const std::vector<WeaponFigures>& figures() const { return figures_; }

    // Where a weapon is drawn at the present size: its whole row (the hit
    // area of its tooltip) and its two bars.
    struct Row {
        QRect area, kills, deaths;
    };
    std::vector<Row> rows() const;
    // The weapon whose row holds `point`; -1 for none.
    int rowAt(const QPoint& point) const;
    // "M4/M203: 12 kills, 3 deaths"
    QString rowText(int row) const;
    // The weapon Up and Down have reached; -1 before any.
    int currentRow() const { return current_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void listDropped(DraggedList list);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The widths of the weapon names' column and of the figures after the bars.
    int labelWidth() const;
    int figureWidth() const;
    int legendHeight() const;
    void moveCurrent(int row);

    std::vector<WeaponFigures> figures_;
    int current_ = -1;
};

} // namespace quorvath
