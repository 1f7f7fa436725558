#pragma once

#include <QObject>

// Tells whoever shows the cellar that its lots or wine types changed (the view rebuilds its tree).
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
