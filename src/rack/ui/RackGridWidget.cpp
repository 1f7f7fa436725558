#include "rack/ui/RackGridWidget.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

RackGridWidget::RackGridWidget(RackGrid& grid, QWidget* parent) : QWidget(parent), m_grid(grid)
{
    setMouseTracking(true);
    setMinimumSize(260, 220);
    m_fillRow = new QAction(QStringLiteral("Remplir la &ligne"), this);
    m_fillColumn = new QAction(QStringLiteral("Remplir la &colonne"), this);
    connect(m_fillRow, &QAction::triggered, this, [this] {
        if (const auto cell = m_grid.hitTest(m_recorded))
            Q_EMIT fillRowRequested(*cell);
    });
    connect(m_fillColumn, &QAction::triggered, this, [this] {
        if (const auto cell = m_grid.hitTest(m_recorded))
            Q_EMIT fillColumnRequested(*cell);
    });
}

QColor RackGridWidget::stateColour(int state)
{
    switch (state) {
    case RackGrid::Red:
        return QColor(255, 0, 0);
    case RackGrid::White:
        return QColor(246, 245, 140);
    case RackGrid::Pink:
        return QColor(246, 140, 240);
    case RackGrid::Marked:
        return QColor(0, 254, 54);
    case RackGrid::Selected:
        return QColor(0, 0, 0);
    default:
        return QColor(255, 255, 255);
    }
}

void RackGridWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_grid.setFrame(rect());
}

void RackGridWidget::paintEvent(QPaintEvent*)
{
    m_grid.setFrame(rect());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int i = 0; i <= m_grid.columns(); ++i) {
        for (int j = 0; j <= m_grid.rows(); ++j) {
            const QRect cell = m_grid.cellRect(i, j);
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::white);
            painter.drawRoundedRect(cell.adjusted(0, 0, -1, -1), 1, 1);
            const QString header = RackGrid::headerText(i, j);
            if (!header.isEmpty()) {
                painter.drawText(cell, Qt::AlignCenter, header);
                continue;
            }
            const int state = i > 0 && j > 0 ? m_grid.state(i, j) : 0;
            if (state == RackGrid::Empty)
                continue;
            const QRect disc = m_grid.discRect(i, j);
            if (state == RackGrid::Hatched) {
                painter.setBrush(QBrush(QColor(255, 0, 0), Qt::DiagCrossPattern));
            } else {
                painter.setBrush(stateColour(state));
            }
            painter.drawEllipse(disc);
        }
    }
}

QString RackGridWidget::tipAt(const QPoint& point) const
{
    const auto cell = m_grid.hitTest(point);
    if (!cell)
        return QString();
    if (!m_grid.isOverDisc(point))
        return QStringLiteral("%1 %2").arg(cell->column).arg(cell->row);
    // A cell only marked on screen holds no bottle yet: its tip is empty.
    return m_describe ? m_describe(*cell) : QString();
}

void RackGridWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!m_grid.hitTest(point))
        return;
    m_lastTip = tipAt(point);
    QToolTip::showText(event->globalPosition().toPoint(), m_lastTip, this);
}

void RackGridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        m_recorded = point;
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (const auto cell = m_grid.hitTest(point))
        Q_EMIT cellClicked(*cell);
}

void RackGridWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Keyboard)
        m_recorded = QPoint(5, 5);
    else
        m_recorded = event->pos();
    QMenu menu(this);
    menu.addAction(m_fillRow);
    menu.addAction(m_fillColumn);
    menu.exec(event->globalPos());
}
