#pragma once

#include <QObject>

// The change notice: tells whoever shows the cellar that its lots changed. It is sent by the core function
// that wrote, once, after its commit (never by a dialog), so every page is right whichever page wrote.
class CellarEvents : public QObject
{
    Q_OBJECT
public:
    static CellarEvents& instance();
    void notifyLotsChanged() { Q_EMIT lotsChanged(); }
    // The vintage ratings were saved (the vintage table is loaded again already).
    void notifyVintagesChanged() { Q_EMIT vintagesChanged(); }
    // Another cellar file now stands in the live one's place (a restore): every list is read again.
    void notifyCellarReplaced() { Q_EMIT cellarReplaced(); }

Q_SIGNALS:
    void lotsChanged();
    void vintagesChanged();
    void cellarReplaced();
};
