#pragma once

#include "rack/RackGrid.h"

#include <QWidget>
#include <functional>

class QAction;

// Draws a RackGrid over its whole area and turns mouse actions into cell events: left clicks, the
// "Remplir la ligne"/"Remplir la colonne" menu of the right button, and the hover description.
class RackGridWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RackGridWidget(RackGrid& grid, QWidget* parent = nullptr);

    // Describes the bottle in a cell, for the hover tip over its disc.
    void setDescriber(std::function<QString(const RackGrid::Cell&)> describe) { m_describe = std::move(describe); }
    // The text the hover tip shows for a point (the column and row over white, the wine over a disc).
    QString tipAt(const QPoint& point) const;
    const QString& lastTip() const { return m_lastTip; }
    // The position of the last right-button release, which the fill commands work from.
    void setRecordedPosition(const QPoint& point) { m_recorded = point; }
    QAction* fillRowAction() const { return m_fillRow; }
    QAction* fillColumnAction() const { return m_fillColumn; }
    static QColor stateColour(int state);

    QSize sizeHint() const override { return QSize(520, 420); }

Q_SIGNALS:
    void cellClicked(const RackGrid::Cell& cell);
    void fillRowRequested(const RackGrid::Cell& cell);
    void fillColumnRequested(const RackGrid::Cell& cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    RackGrid& m_grid;
    std::function<QString(const RackGrid::Cell&)> m_describe;
    QPoint m_recorded{-1, -1};
    QString m_lastTip;
    QAction* m_fillRow = nullptr;
    QAction* m_fillColumn = nullptr;
};
