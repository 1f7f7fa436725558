#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

// Every command of the main window: where it appears in the menu, its prompt in the status bar,
// its tooltip, its key and whether the toolbar carries it.
namespace Commands {

enum Id : int
{
    NewCellar = 40003,
    OpenCellar = 40004,
    Export = 32787,
    Import = 32777,
    ExportCsv = 40001,
    ImportCsv = 40002,
    Print = 57607,
    PrintPreview = 57609,
    PrintSetup = 57606,
    Options = 32771,
    Exit = 57665,
    AddWine = 32831,
    AddCru = 32776,
    AddAppellation = 32780,
    AddDish = 32815,
    AddEstate = 32817,
    ModifyWine = 32832,
    ModifyCru = 228,
    ModifyAppellation = 229,
    ModifyDish = 32816,
    ModifyEstate = 32818,
    RackUpdate = 32806,
    RackView = 32802,
    Search = 32808,
    ReadyToDrink = 32813,
    ReadyToDrinkToolbar = 32800,
    Backup = 32811,
    Restore = 32812,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    HelpTopics = 57667,
    About = 57664,
    Help = 57670,
    ContextHelp = 57669,
};

struct Command
{
    int id;
    QString menu;    // top-level menu, empty for a command without a menu item
    QString submenu; // submenu within it, or empty
    QString text;    // menu item text
    QString prompt;  // status-bar prompt
    QString tooltip; // toolbar tooltip
    QKeySequence key;
};

// In menu order.
const std::vector<Command>& all();
const Command* find(int id);
// The toolbar's buttons in order; 0 stands for a separator.
const std::vector<int>& toolbar();
// The menus in their order.
const std::vector<QString>& menus();

} // namespace Commands
