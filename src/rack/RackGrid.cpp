#include "rack/RackGrid.h"

RackGrid::RackGrid() = default;

int RackGrid::stateForColour(Colour colour)
{
    switch (colour) {
    case Colour::Red:
        return Red;
    case Colour::White:
        return White;
    case Colour::Rose:
    case Colour::Other:
        break;
    }
    return Pink;
}

QRect RackGrid::cellRect(int column, int row) const
{
    const int w = cellWidth();
    const int h = cellHeight();
    return QRect(m_frame.left() + column * w, m_frame.top() + row * h, w, h);
}

QRect RackGrid::discRect(int column, int row) const
{
    return cellRect(column, row).adjusted(2, 2, -2, -2);
}

std::optional<RackGrid::Cell> RackGrid::hitTest(const QPoint& point) const
{
    const int w = cellWidth();
    const int h = cellHeight();
    if (w <= 0 || h <= 0)
        return std::nullopt;
    const int dx = point.x() - m_frame.left();
    const int dy = point.y() - m_frame.top();
    if (dx < 0 || dy < 0)
        return std::nullopt;
    const int column = dx / w;
    const int row = dy / h;
    if (column < 1 || column > m_columns || row < 1 || row > m_rows)
        return std::nullopt;
    return Cell{column, row};
}

bool RackGrid::isOverDisc(const QPoint& point) const
{
    const auto cell = hitTest(point);
    if (!cell || state(cell->column, cell->row) == Empty)
        return false;
    // Inside the ellipse inscribed in the disc rectangle.
    const QRect disc = discRect(cell->column, cell->row);
    const double a = disc.width() / 2.0;
    const double b = disc.height() / 2.0;
    if (a <= 0 || b <= 0)
        return false;
    const double cx = disc.left() + a;
    const double cy = disc.top() + b;
    const double nx = (point.x() + 0.5 - cx) / a;
    const double ny = (point.y() + 0.5 - cy) / b;
    return nx * nx + ny * ny <= 1.0;
}

QString RackGrid::headerText(int column, int row)
{
    if (column == 0 && row >= 1)
        return QString(QChar(QLatin1Char('A').unicode() + row - 1));
    if (row == 0 && column >= 1)
        return QString::number(column);
    return QString();
}

void RackGrid::clear()
{
    for (auto& column : m_states)
        column.fill(Empty);
}

std::vector<RackGrid::Cell> RackGrid::fillRow(const Cell& cell, int limit)
{
    std::vector<Cell> marked;
    if (state(cell.column, cell.row) != Empty)
        return marked;
    for (int x = 1; x <= m_columns; ++x) {
        if (limit >= 0 && static_cast<int>(marked.size()) >= limit)
            break;
        if (state(x, cell.row) == Empty) {
            setState(x, cell.row, Marked);
            marked.push_back({x, cell.row});
        }
    }
    return marked;
}

std::vector<RackGrid::Cell> RackGrid::fillColumn(const Cell& cell, int limit)
{
    std::vector<Cell> marked;
    if (state(cell.column, cell.row) != Empty)
        return marked;
    for (int y = 1; y <= m_rows; ++y) {
        if (limit >= 0 && static_cast<int>(marked.size()) >= limit)
            break;
        if (state(cell.column, y) == Empty) {
            setState(cell.column, y, Marked);
            marked.push_back({cell.column, y});
        }
    }
    return marked;
}

std::vector<RackGrid::Cell> RackGrid::cellsInState(int wanted) const
{
    std::vector<Cell> cells;
    for (int y = 1; y <= m_rows; ++y) {
        for (int x = 1; x <= m_columns; ++x) {
            if (state(x, y) == wanted)
                cells.push_back({x, y});
        }
    }
    return cells;
}
