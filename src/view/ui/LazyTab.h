#pragma once

#include <QWidget>
#include <functional>

// A tab of the sheet whose page is built the first time the tab is shown or the page asked for: the
// start shows the window without building, or reading the cellar for, pages nobody has looked at yet.
class LazyTab : public QWidget
{
    Q_OBJECT
public:
    using Builder = std::function<QWidget*(QWidget* parent)>;
    LazyTab(Builder build, QWidget* parent);

    // The page, built now if it was not yet.
    QWidget* page();
    bool isBuilt() const { return m_page != nullptr; }

Q_SIGNALS:
    void built(QWidget* page);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Builder m_build;
    QWidget* m_page = nullptr;
};
