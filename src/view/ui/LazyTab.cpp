#include "view/ui/LazyTab.h"

#include <QVBoxLayout>

LazyTab::LazyTab(Builder build, QWidget* parent) : QWidget(parent), m_build(std::move(build))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

QWidget* LazyTab::page()
{
    if (!m_page) {
        m_page = m_build(this);
        layout()->addWidget(m_page);
        if (isVisible())
            m_page->show();
        Q_EMIT built(m_page);
    }
    return m_page;
}

void LazyTab::showEvent(QShowEvent* event)
{
    page();
    QWidget::showEvent(event);
}
