#include "app/ui/WindowState.h"
#include "platform/Settings.h"

#include "platform/Profile.h"
#include "view/ui/CellarView.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QMainWindow>
#include <QSplitter>
#include <QTabWidget>

namespace WindowState {

namespace {

const QString kSection = QStringLiteral("Fenetre");

void writeBytes(const QString& name, const QByteArray& bytes)
{
    Profile::writeString(kSection, name, QString::fromLatin1(bytes.toBase64()));
}

QByteArray readBytes(const QString& name)
{
    return QByteArray::fromBase64(Profile::getString(kSection, name).toLatin1());
}

// The lists whose columns are kept: those with a name of their own.
QList<QAbstractItemView*> namedLists(const QWidget& root)
{
    QList<QAbstractItemView*> lists;
    const auto views = root.findChildren<QAbstractItemView*>();
    for (QAbstractItemView* view : views) {
        if (!view->objectName().isEmpty() && !view->objectName().startsWith(QLatin1String("qt_")))
            lists << view;
    }
    return lists;
}

} // namespace

void save(const QMainWindow& window, const CellarView& view)
{
    writeBytes(QStringLiteral("Geometrie"), window.saveGeometry());
    writeBytes(QStringLiteral("Barres"), window.saveState());
    if (auto* splitter = view.findChild<QSplitter*>())
        writeBytes(QStringLiteral("Separateur"), splitter->saveState());
    Settings::set(Settings::lastPage, view.sheet()->currentIndex());
    for (QAbstractItemView* list : namedLists(view)) {
        for (QHeaderView* header : list->findChildren<QHeaderView*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (header->orientation() == Qt::Horizontal)
                writeBytes(QStringLiteral("Colonnes") + list->objectName(), header->saveState());
        }
    }
}

void restore(QMainWindow& window, CellarView& view)
{
    // Nothing kept yet (a first start): the window keeps the arrangement it was built with.
    if (const QByteArray geometry = readBytes(QStringLiteral("Geometrie")); !geometry.isEmpty())
        window.restoreGeometry(geometry);
    if (const QByteArray bars = readBytes(QStringLiteral("Barres")); !bars.isEmpty())
        window.restoreState(bars);
    if (auto* splitter = view.findChild<QSplitter*>()) {
        if (const QByteArray state = readBytes(QStringLiteral("Separateur")); !state.isEmpty())
            splitter->restoreState(state);
    }
    restoreColumns(view);
}

void restoreColumns(const QWidget& page)
{
    for (QAbstractItemView* list : namedLists(page)) {
        const QByteArray state = readBytes(QStringLiteral("Colonnes") + list->objectName());
        if (state.isEmpty())
            continue;
        for (QHeaderView* header : list->findChildren<QHeaderView*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (header->orientation() == Qt::Horizontal)
                header->restoreState(state);
        }
    }
}

void restorePage(CellarView& view)
{
    const int page = Settings::get(Settings::lastPage);
    if (page >= 0 && page < view.sheet()->count())
        view.sheet()->setCurrentIndex(page);
}

} // namespace WindowState
