#include "app/ui/HelpWindow.h"

#include "app/ui/HelpTopics.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QUrl kGuide(QStringLiteral("qrc:/guide/guide.html"));

QPointer<HelpWindow>& instance()
{
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

// The guide's resources live in this static library: they must be registered by name.
static void registerGuide()
{
    Q_INIT_RESOURCE(guide);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    registerGuide();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide de Tonnelix"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tonnelix.svg")));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* back = new QPushButton(QStringLiteral("Précédent"), this);
    auto* home = new QPushButton(QStringLiteral("Sommaire"), this);
    auto* close = new QPushButton(QStringLiteral("Fermer"), this);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(kGuide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);

    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(home, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    const int line = fontMetrics().height();
    resize(line * 52, line * 40);
}

void HelpWindow::showSection(const QString& anchor)
{
    m_section = anchor;
    if (anchor.isEmpty())
        m_browser->setSource(kGuide);
    else
        m_browser->scrollToAnchor(anchor);
}

HelpWindow* HelpWindow::showGuide(const QString& anchor)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (instance() && instance()->parentWidget() != modal)
        delete instance().data();
    if (!instance())
        instance() = new HelpWindow(modal);
    HelpWindow* window = instance();
    window->showSection(anchor);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

namespace {

// F1 pressed in a dialog: the guide at that dialog's section. The main window's own F1 is its command.
class DialogF1 : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !qobject_cast<QDialog*>(widget->window()))
            return false;
        HelpWindow::showGuide(HelpTopics::sectionFor(widget));
        return true;
    }
};

} // namespace

void HelpWindow::installF1ForDialogs()
{
    static QPointer<DialogF1> filter; // goes with the application that owns it
    if (filter && filter->parent() == QCoreApplication::instance())
        return;
    filter = new DialogF1(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

HelpWindow* HelpWindow::current()
{
    return instance();
}
