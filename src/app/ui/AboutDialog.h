#pragma once

#include <QDialog>

class ColorLabel;
class QLabel;

// "A propos de Tonnelix": the program's version, the cellar's, the physical memory, the free space of the
// cellar's disk and the maker's site.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // "Version : 6.00" from the cellar's INFO, "Version 1.00" when it cannot be read.
    static QString readDatabaseVersion();

    QLabel* baseVersion() const { return m_base; }
    QLabel* memory() const { return m_memory; }
    QLabel* freeSpace() const { return m_free; }
    ColorLabel* link() const { return m_link; }

    static const char* siteAddress();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_base = nullptr;
    QLabel* m_memory = nullptr;
    QLabel* m_free = nullptr;
    ColorLabel* m_link = nullptr;
};
