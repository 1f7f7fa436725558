#include "app/CommandTable.h"

namespace Commands {

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

const std::vector<QString>& menus()
{
    static const std::vector<QString> list = {s("&Fichier"), s("A&jouter"),   s("&Modifier"), s("&Rangement"),
                                              s("&Outils"),  s("&Affichage"), s("&?")};
    return list;
}

const std::vector<Command>& all()
{
    static const std::vector<Command> list = {
        {Export,
         s("&Fichier"),
         s("E&xporter"),
         s("Exporter un fichier Tonnelix PC vers un fichier PocketPC"),
         s("Ex&portation d'un fichier Tonnelix PC ver un fichier PocketPC"),
         s("Exportation vers PocketPC"),
         {}},
        {Import,
         s("&Fichier"),
         s("I&mporter"),
         s("Inportation d'un fichier Tonnelix venant d'un PocketPC"),
         s("Inportation d'un fichier Tonnelix venant d'un PocketPC"),
         s("Importation d'un PocketPC"),
         {}},
        {Print,
         s("&Fichier"),
         {},
         s("&Imprimer...\tCtrl+P"),
         s("Imprime le document actif"),
         s("Imprimer"),
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        {PrintPreview,
         s("&Fichier"),
         {},
         s("Aperçu a&vant impression"),
         s("Affiche des pages entières"),
         s("Aperçu avant impression"),
         {}},
        {PrintSetup,
         s("&Fichier"),
         {},
         s("C&onfiguration de l'impression..."),
         s("Change les options d'imprimante et d'impression"),
         s("Configuration de l'impression"),
         {}},
        {Options, s("&Fichier"), {}, s("Options Générales"), s("Configuration des options générales"), {}, {}},
        {Exit,
         s("&Fichier"),
         {},
         s("&Quitter"),
         s("Ferme l'application ; propose d'enregistrer les documents"),
         s("Quitter"),
         {}},
        {AddWine, s("A&jouter"), {}, s("Vin"), {}, {}, {}},
        {AddCru,
         s("A&jouter"),
         {},
         s("&Cru"),
         s("Ajouter un cru"),
         s("Ajoute un cru"),
         QKeySequence(Qt::CTRL | Qt::Key_C)},
        {AddAppellation,
         s("A&jouter"),
         {},
         s("&Appellation"),
         s("Ajouter une Appellation"),
         s("Ajoute une appellation"),
         {}},
        {AddDish, s("A&jouter"), {}, s("Plats"), s("Ajouter un plat"), s("Ajoute un Plat"), {}},
        {AddEstate, s("A&jouter"), {}, s("Domaines"), s("Ajouter un domaine"), s("Ajoute un domaine"), {}},
        {ModifyWine, s("&Modifier"), {}, s("Vin"), {}, {}, {}},
        {ModifyCru, s("&Modifier"), {}, s("Cru"), s("Modifier un cru"), s("Modifier un cru"), {}},
        {ModifyAppellation,
         s("&Modifier"),
         {},
         s("Appellation"),
         s("Modifier une Appellation"),
         s("Modifier une Appellation"),
         {}},
        {ModifyDish, s("&Modifier"), {}, s("Plat"), s("Modifier un plat"), s("Modifier un plat"), {}},
        {ModifyEstate, s("&Modifier"), {}, s("Domaine"), s("Supprimer un domaine"), s("Supprimer un domaine"), {}},
        {RackUpdate,
         s("&Rangement"),
         {},
         s("Mise à jour "),
         s("Mise à jour du rangement de votre cave"),
         s("MAJ Rangement Cave"),
         {}},
        {RackView,
         s("&Rangement"),
         {},
         s("&Visualisation "),
         s("Visualisation des rangements de votre cave"),
         s("Visualisation Cave"),
         {}},
        {Search,
         s("&Outils"),
         {},
         s("Rechercher un vin"),
         s("Rechercher un vin selon des critères"),
         s("Rechercher un vin selon des critères"),
         {}},
        {ReadyToDrink, s("&Outils"), {}, s("Liste des vins à boires"), s("Votre base à été restaurer !"), {}, {}},
        {ReadyToDrinkToolbar,
         {},
         {},
         {},
         s("Vous devez pour mettre à jour"),
         s("sélectionner un vin dans la liste"),
         {}},
        {Backup, s("&Outils"), {}, s("Sauvegarde"), s("Sauvegarde de votre base"), {}, {}},
        {Restore, s("&Outils"), {}, s("Restauration"), s("Restauration de votre base"), {}, {}},
        {ViewToolbar,
         s("&Affichage"),
         {},
         s("&Barre d'outils"),
         s("Affiche ou masque la barre d'outils"),
         s("Barre d'outils"),
         {}},
        {ViewStatusBar,
         s("&Affichage"),
         {},
         s("Barre d'é&tat"),
         s("Affiche ou masque la barre d'état"),
         s("Barre d'état"),
         {}},
        {HelpTopics,
         s("&?"),
         {},
         s("&Rubriques de l'aide"),
         s("Liste les rubriques de l'aide"),
         s("Rubriques de l'aide"),
         {}},
        {About,
         s("&?"),
         {},
         s("&A propos de Tonnelix..."),
         s("Affiche des informations sur le programme, le numéro de version et le copyright"),
         s("A propos de"),
         {}},
        {Help, {}, {}, {}, s("Affiche l'aide sur la tâche ou commande courante"), s("Aide"), QKeySequence(Qt::Key_F1)},
        {ContextHelp,
         {},
         {},
         {},
         s("Affiche l'aide sur les clics sur les boutons, menus et fenêtres"),
         s("Aide"),
         QKeySequence(Qt::SHIFT | Qt::Key_F1)},
    };
    return list;
}

const Command* find(int id)
{
    for (const Command& command : all()) {
        if (command.id == id)
            return &command;
    }
    return nullptr;
}

const std::vector<int>& toolbar()
{
    static const std::vector<int> order = {Print,
                                           0,
                                           AddWine,
                                           AddCru,
                                           AddAppellation,
                                           AddDish,
                                           AddEstate,
                                           0,
                                           ModifyWine,
                                           ModifyCru,
                                           ModifyAppellation,
                                           ModifyDish,
                                           ModifyEstate,
                                           0,
                                           Import,
                                           Export,
                                           0,
                                           ReadyToDrinkToolbar,
                                           0,
                                           RackView,
                                           RackUpdate,
                                           0,
                                           Search,
                                           0,
                                           About,
                                           ContextHelp};
    return order;
}

} // namespace Commands
