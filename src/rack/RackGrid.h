#pragma once

#include "db/Colour.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// One rack on screen: its cell states and the geometry that draws and hit-tests them.
// Column and row 0 are the headers (numbers along the top, letters down the left); data cells are
// columns 1..NC and rows 1..NR, each count from 2 to 25.
class RackGrid
{
public:
    static constexpr int kMax = 25;
    enum State
    {
        Empty = 0,
        Red = 1,
        White = 2,
        Pink = 3, // rosé, and other wines
        Marked = 4,
        Selected = 6, // a bottle to take out (manual update)
        Hatched = 7   // a bottle of the chosen wine (manual update)
    };
    struct Cell
    {
        int column;
        int row;
        bool operator==(const Cell&) const = default;
    };

    RackGrid();

    // The state of a bottle of a colour: other wines drawn as rosé.
    static int stateForColour(Colour colour);

    void setFrame(const QRect& frame) { m_frame = frame; }
    const QRect& frame() const { return m_frame; }
    void setColumns(int columns) { m_columns = qBound(2, columns, kMax); }
    void setRows(int rows) { m_rows = qBound(2, rows, kMax); }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

    int cellWidth() const { return m_frame.width() / (m_columns + 1); }
    int cellHeight() const { return m_frame.height() / (m_rows + 1); }
    // Cell (i, j), headers included.
    QRect cellRect(int column, int row) const;
    // The disc drawn in a non-empty cell.
    QRect discRect(int column, int row) const;
    // The data cell under a point, if any (headers and the leftover strips name none).
    std::optional<Cell> hitTest(const QPoint& point) const;
    // True when the point is inside the disc of a non-empty cell (else it is over the white of the cell).
    bool isOverDisc(const QPoint& point) const;
    // Header text of a cell: the row letter in column 0, the column number in row 0.
    static QString headerText(int column, int row);

    int state(int column, int row) const { return m_states[column][row]; }
    void setState(int column, int row, int state) { m_states[column][row] = state; }
    void clear();

    // Marks every empty cell of the row (or column) of cell, if cell itself is empty; returns the cells
    // marked. limit caps how many are marked (-1: no cap).
    std::vector<Cell> fillRow(const Cell& cell, int limit = -1);
    std::vector<Cell> fillColumn(const Cell& cell, int limit = -1);
    // The cells in state, row by row (y outer, x inner).
    std::vector<Cell> cellsInState(int state) const;

private:
    std::array<std::array<int, kMax + 1>, kMax + 1> m_states{};
    int m_columns = kMax;
    int m_rows = kMax;
    QRect m_frame;
};
