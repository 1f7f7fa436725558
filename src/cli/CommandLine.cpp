#include "cli/CommandLine.h"
#include "cli/ConsoleCellarOpening.h"
#include "cli/ConsoleOutput.h"
#include "platform/Settings.h"

#include "backup/Backups.h"
#include "db/CellarSession.h"
#include "db/SchemaUpgrade.h"
#include "exchange/CsvExchange.h"
#include "exchange/ExchangeFile.h"
#include "jet/JetConversion.h"
#include "platform/Application.h"
#include "platform/OutputFile.h"
#include "platform/Paths.h"
#include "platform/Prompt.h"
#include "printing/WineListPrint.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QScopeGuard>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace CommandLine {

namespace {

using Console::print;

// Without a window, what the cellar's code would ask the user is written on standard error and answered
// "no": nothing is done that would need a person's consent.
class ConsolePrompt final : public Prompt
{
public:
    Answer message(const QString& text, const QString& caption, Icon, Buttons buttons) override
    {
        print(stderr, caption.isEmpty() ? text : caption + QStringLiteral(" : ") + text);
        return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return QString(); }
};

} // namespace

namespace {

// "--convert-jet SOURCE TARGET": the target is the word after the source, given the same way.
QStringList withJetTargetNamed(QStringList arguments)
{
    for (int i = 1; i + 2 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--convert-jet") && !arguments[i + 2].startsWith(QLatin1Char('-'))) {
            arguments[i + 2] = QStringLiteral("--convert-jet-target=") + arguments[i + 2];
            break;
        }
    }
    return arguments;
}

// "--print-pdf ORDER FILE": the file is the word right after the order, wherever the cellar stands, so it is
// given to the parser as the value of a hidden option of its own.
QStringList withPdfFileNamed(QStringList arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        int file = -1;
        if (word == QLatin1String("--print-pdf"))
            file = i + 2;
        else if (word.startsWith(QLatin1String("--print-pdf=")))
            file = i + 1;
        if (file < 0)
            continue;
        if (file < arguments.size() && !arguments[file].startsWith(QLatin1Char('-')))
            arguments[file] = QStringLiteral("--print-pdf-file=") + arguments[file];
        break;
    }
    return arguments;
}

} // namespace

namespace {

// Every option of the program, declared on the parser in the order its help lists them.
struct OptionTable
{
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Affiche cette aide.")}; // Qt's own says its text in English
    QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Affiche la version de Tonnelix.")}; // Qt's own is in English
    QCommandLineOption exportOption{QStringLiteral("export"),
                                    QStringLiteral("Ajoute tous les vins de la cave au fichier d'échange FICHIER "
                                                   "(créé s'il n'existe pas), sans fenêtre."),
                                    QStringLiteral("FICHIER")};
    QCommandLineOption importOption{QStringLiteral("import"),
                                    QStringLiteral("Ajoute à la cave les vins du fichier d'échange FICHIER, "
                                                   "sans fenêtre."),
                                    QStringLiteral("FICHIER")};
    QCommandLineOption replaceOption{
        QStringLiteral("replace"), QStringLiteral("Avec --import : remplace les vins de la cave par ceux du fichier.")};
    QCommandLineOption backupOption{QStringLiteral("backup"),
                                    QStringLiteral("Écrit la sauvegarde datée de la cave à côté d'elle et "
                                                   "affiche son chemin, sans fenêtre.")};
    QCommandLineOption printOption{QStringLiteral("print-pdf"),
                                   QStringLiteral("Imprime la liste des vins dans l'ordre ORDRE (1 à 7) dans le "
                                                  "fichier PDF donné après, sans fenêtre."),
                                   QStringLiteral("ORDRE")};
    QCommandLineOption restoreOption{QStringLiteral("restore"),
                                     QStringLiteral("Remplace la cave par la sauvegarde SAUVEGARDE (la cave est "
                                                    "d'abord sauvée à côté d'elle), sans fenêtre."),
                                     QStringLiteral("SAUVEGARDE")};
    QCommandLineOption exportCsvOption{QStringLiteral("export-csv"),
                                       QStringLiteral("Écrit tous les lots de la cave dans le fichier CSV "
                                                      "FICHIER (UTF-8, une ligne d'en-tête), sans fenêtre."),
                                       QStringLiteral("FICHIER")};
    QCommandLineOption importCsvOption{QStringLiteral("import-csv"),
                                       QStringLiteral("Ajoute à la cave les lots du fichier CSV FICHIER "
                                                      "(colonnes reconnues par leur nom), sans fenêtre."),
                                       QStringLiteral("FICHIER")};
    QCommandLineOption printFileOption{QStringLiteral("print-pdf-file"), QString(), QStringLiteral("FICHIER")};
    QCommandLineOption convertOption{
        QStringLiteral("convert-jet"),
        QStringLiteral("Copie la cave SOURCE de la version Windows (base Access .mdb) dans une nouvelle cave "
                       "Tonnelix, le fichier donné après (jamais un fichier existant), sans fenêtre ; affiche le "
                       "compte rendu."),
        QStringLiteral("SOURCE")};
    QCommandLineOption convertTargetOption{QStringLiteral("convert-jet-target"), QString(), QStringLiteral("CIBLE")};
    QCommandLineOption progressOption{QStringLiteral("progress"), QString()};
    QCommandLineOption newOption{QStringLiteral("new"),
                                 QStringLiteral("Crée une cave vide FICHIER (jamais sur un fichier existant), "
                                                "sans fenêtre."),
                                 QStringLiteral("FICHIER")};

    explicit OptionTable(QCommandLineParser& parser)
    {
        parser.setApplicationDescription(QStringLiteral("Tonnelix, l'inventaire de votre cave à vin."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(backupOption);
        parser.addOption(restoreOption);
        parser.addOption(exportCsvOption);
        parser.addOption(importCsvOption);
        parser.addOption(printOption);
        for (QCommandLineOption* hidden : {&printFileOption, &convertTargetOption, &progressOption})
            hidden->setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(printFileOption);
        parser.addOption(convertOption);
        parser.addOption(convertTargetOption);
        parser.addOption(progressOption);
        parser.addOption(newOption);
        parser.addOption(exportOption);
        parser.addOption(importOption);
        parser.addOption(replaceOption);
        parser.addPositionalArgument(QStringLiteral("cave"),
                                     QStringLiteral("Base de la cave à ouvrir pour cette session (facultatif)."),
                                     QStringLiteral("[cave]"));
    }
};

// Reads the work asked for into options; the usage error, or empty.
QString readWork(const QCommandLineParser& parser, const OptionTable& o, Options& options)
{
    if (parser.isSet(o.printOption)) {
        bool ok = false;
        options.printOrder = parser.value(o.printOption).toInt(&ok);
        if (!ok || options.printOrder < 1 || options.printOrder > 7)
            return QStringLiteral("--print-pdf demande un ordre de 1 à 7, puis un fichier.");
        if (parser.value(o.printFileOption).isEmpty())
            return QStringLiteral("--print-pdf demande un fichier après l'ordre.");
        options.pdfFile = parser.value(o.printFileOption);
    }
    if (parser.isSet(o.convertOption)) {
        options.jetSource = parser.value(o.convertOption);
        options.jetTarget = parser.value(o.convertTargetOption);
        if (options.jetSource.isEmpty() || options.jetTarget.isEmpty())
            return QStringLiteral("--convert-jet demande la cave Windows, puis le fichier de la nouvelle cave.");
        options.progress = parser.isSet(o.progressOption);
    }
    if (parser.isSet(o.newOption)) {
        options.newCellar = parser.value(o.newOption);
        if (options.newCellar.isEmpty())
            return QStringLiteral("--new demande le fichier de la nouvelle cave.");
    }
    options.backup = parser.isSet(o.backupOption);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return QStringLiteral("Une seule cave peut être donnée.");
    options.cellar = positional.value(0);
    options.exportFile = parser.value(o.exportOption);
    options.importFile = parser.value(o.importOption);
    options.replace = parser.isSet(o.replaceOption);
    options.restoreFile = parser.value(o.restoreOption);
    options.exportCsv = parser.value(o.exportCsvOption);
    options.importCsv = parser.value(o.importCsvOption);
    if ((parser.isSet(o.exportCsvOption) && options.exportCsv.isEmpty()) ||
        (parser.isSet(o.importCsvOption) && options.importCsv.isEmpty()))
        return QStringLiteral("--export-csv et --import-csv demandent un fichier.");
    if (parser.isSet(o.restoreOption) && options.restoreFile.isEmpty())
        return QStringLiteral("--restore demande une sauvegarde.");
    if (parser.isSet(o.exportOption) && options.exportFile.isEmpty())
        return QStringLiteral("--export demande un fichier.");
    if (parser.isSet(o.importOption) && options.importFile.isEmpty())
        return QStringLiteral("--import demande un fichier.");
    return QString();
}

// One work at a time, and only the words that go with it; the usage error, or empty.
QString combinationError(const Options& options)
{
    const int works = (options.exportFile.isEmpty() ? 0 : 1) + (options.importFile.isEmpty() ? 0 : 1) +
                      (options.backup ? 1 : 0) + (options.printOrder != 0 ? 1 : 0) +
                      (options.restoreFile.isEmpty() ? 0 : 1) + (options.exportCsv.isEmpty() ? 0 : 1) +
                      (options.importCsv.isEmpty() ? 0 : 1) + (options.jetSource.isEmpty() ? 0 : 1) +
                      (options.newCellar.isEmpty() ? 0 : 1);
    if (works > 1)
        return QStringLiteral("Une seule des options --export, --import, --export-csv, --import-csv, --backup, "
                              "--restore, --print-pdf, --convert-jet et --new à la fois.");
    if ((!options.jetSource.isEmpty() || !options.newCellar.isEmpty()) && !options.cellar.isEmpty())
        return QStringLiteral("--convert-jet et --new ne prennent pas de cave à ouvrir.");
    if (options.replace && options.importFile.isEmpty())
        return QStringLiteral("--replace ne va qu'avec --import.");
    return QString();
}

} // namespace

Parsed parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const OptionTable options(parser);
    Parsed parsed;
    auto usage = [&parsed](const QString& message) {
        parsed.action = Parsed::Action::Exit;
        parsed.exitCode = 2;
        parsed.message = message + QStringLiteral("\nVoyez « tonnelix --help ».");
        return parsed;
    };
    if (!parser.parse(withJetTargetNamed(withPdfFileNamed(arguments))))
        return usage(parser.errorText());
    if (parser.isSet(options.help)) {
        parsed.action = Parsed::Action::Exit;
        parsed.message = parser.helpText();
        return parsed;
    }
    if (parser.isSet(options.version)) {
        parsed.action = Parsed::Action::Exit;
        parsed.message =
            QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
        return parsed;
    }
    QString error = readWork(parser, options, parsed.options);
    if (error.isEmpty())
        error = combinationError(parsed.options);
    if (!error.isEmpty())
        return usage(error);
    parsed.action = parsed.options.batch() ? Parsed::Action::Batch : Parsed::Action::Window;
    return parsed;
}

namespace {

// The conversion of a Windows cellar: its report on standard output, a refusal on standard error. With
// --progress (the window running it), lines "@progression N" come first.
int convertJet(const Options& options)
{
    const JetConversion::Progress progress = [&options](int percent) {
        if (options.progress)
            print(stdout, QStringLiteral("@progression %1").arg(percent));
    };
    // The Jet library tells its own troubles on standard error, in English: the user reads ours only.
    std::fflush(stderr);
    const int savedError = ::dup(STDERR_FILENO);
    const int nowhere = ::open("/dev/null", O_WRONLY);
    if (savedError >= 0 && nowhere >= 0)
        ::dup2(nowhere, STDERR_FILENO);
    const JetConversion::Report report = JetConversion::convert(options.jetSource, options.jetTarget, progress);
    if (savedError >= 0 && nowhere >= 0) {
        std::fflush(stderr);
        ::dup2(savedError, STDERR_FILENO);
    }
    if (nowhere >= 0)
        ::close(nowhere);
    if (savedError >= 0)
        ::close(savedError);
    if (!report.ok) {
        print(stderr, report.message);
        return 1;
    }
    print(stdout, JetConversion::reportText(report));
    return 0;
}

int createCellar(const QString& file)
{
    if (QFileInfo::exists(file) || QFileInfo(file).isSymLink()) {
        print(stderr, QStringLiteral("Le fichier %1 existe déjà : une nouvelle cave ne remplace jamais un fichier. "
                                     "Rien n'a été fait.")
                          .arg(file));
        return 1;
    }
    try {
        CellarSession session(OpenCellarFile(file, true));
        const SchemaUpgrade::Result upgraded = SchemaUpgrade(session).RunChain();
        if (!upgraded.ok) {
            session.database().close();
            QFile::remove(file);
            print(stderr, upgraded.message);
            return 1;
        }
    } catch (const DbError& error) {
        QFile::remove(file);
        print(stderr, QStringLiteral("La cave %1 n'a pas pu être créée : %2").arg(file, error.description()));
        return 1;
    }
    print(stdout, QStringLiteral("La cave %1 a été créée.").arg(file));
    return 0;
}

} // namespace

namespace {

int backUp(CellarSession& session)
{
    const Backups::Result backup = Backups::backup(session);
    if (!backup.ok) {
        print(stderr, backup.message);
        return 1;
    }
    print(stdout, QStringLiteral("Votre base à été sauvé sous :\n") + backup.path +
                      (backup.sameMinute
                           ? QStringLiteral(
                                 "\n(une sauvegarde de cette minute existait déjà : celle-ci porte le numéro suivant)")
                           : QString()));
    return 0;
}

int exchangeCsv(CellarSession& session, const Options& options)
{
    if (!options.importCsv.isEmpty()) {
        const CsvExchange::Result columns = CsvExchange::inspect(options.importCsv);
        if (columns.ok)
            print(stdout, QStringLiteral("Colonnes reconnues : %1\nColonnes ignorées : %2")
                              .arg(columns.recognised.join(QStringLiteral(", ")),
                                   columns.ignored.isEmpty() ? QStringLiteral("aucune")
                                                             : columns.ignored.join(QStringLiteral(", "))));
    }
    const CsvExchange::Result result = options.exportCsv.isEmpty() ? CsvExchange::importFrom(session, options.importCsv)
                                                                   : CsvExchange::exportTo(session, options.exportCsv);
    print(result.ok ? stdout : stderr, result.message);
    return result.ok ? 0 : 1;
}

int restore(CellarSession& session, const QString& backup)
{
    const Backups::Result restored = Backups::restore(session, backup);
    if (!restored.ok) {
        print(stderr, restored.message);
        return 1;
    }
    print(stdout, QStringLiteral("Votre base à été restaurer !\nL'ancienne cave est gardée sous :\n") + restored.path);
    return 0;
}

int printToPdf(CellarSession& session, int order, const QString& file)
{
    if (const QString refused = OutputFile::refusal(file); !refused.isEmpty()) {
        print(stderr, refused);
        return 1;
    }
    WineListPrint::registerFontSubstitutes();
    const std::vector<WineListPrint::Lot> lots = WineListPrint::load(session, order);
    QPdfWriter pdf(file);
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setTitle(WineListPrint::title(order));
    pdf.setCreator(QStringLiteral("Tonnelix"));
    const int pages = WineListPrint::paint(pdf, lots, order);
    if (pages == 0) {
        print(stderr, QStringLiteral("Impossible d'écrire le fichier %1.").arg(file));
        return 1;
    }
    print(stdout, QStringLiteral("%1 : %2 page(s) dans %3.").arg(WineListPrint::title(order)).arg(pages).arg(file));
    return 0;
}

int exchangeFile(CellarSession& session, const Options& options)
{
    const ExchangeFile::Result result = options.exportFile.isEmpty()
                                            ? ExchangeFile::importFrom(session, options.importFile, options.replace)
                                            : ExchangeFile::exportTo(session, options.exportFile);
    if (!result.ok) {
        print(stderr, result.message);
        return 1;
    }
    print(stdout, ExchangeFile::report(result) + QStringLiteral("\n%1 vin(s).").arg(result.records));
    return 0;
}

// The cellar the work is done on, opened and brought up to date as at a normal start; nullptr (the reason
// printed) when there is none or it cannot be opened or upgraded.
std::unique_ptr<CellarSession> openForWork(const Options& options)
{
    const QString path = options.cellar.isEmpty() ? Settings::get(Settings::cellarPath) : options.cellar;
    // The work without a window never creates a cellar: with none given, saved or found, it says so.
    if (path.isEmpty() && !QFileInfo::exists(Paths::portableDatabasePath()) &&
        !QFileInfo::exists(Paths::defaultDatabasePath())) {
        print(stderr, QStringLiteral("Aucune cave n'est encore enregistrée : donnez le fichier de la cave avant "
                                     "l'option (tonnelix CAVE --backup, par exemple), ou démarrez Tonnelix une fois "
                                     "avec sa fenêtre. Rien n'a été fait."));
        return nullptr;
    }
    ConsoleCellarOpening questions;
    std::unique_ptr<CellarSession> session = CellarSession::Open(path, questions);
    if (!session) {
        print(stderr, QStringLiteral("Impossible d'ouvrir la cave : rien n'a été fait."));
        return nullptr;
    }
    if (!session->isReadOnly()) {
        CellarSession::setCurrent(session.get());
        const SchemaUpgrade::Result upgraded = SchemaUpgrade(*session).RunChain();
        CellarSession::setCurrent(nullptr);
        if (!upgraded.ok) {
            print(stderr, upgraded.message + QStringLiteral("\nRien n'a été fait."));
            return nullptr;
        }
    }
    return session;
}

} // namespace

int runBatch(const Options& options)
{
    ConsolePrompt prompt;
    Prompt::install(&prompt);
    const auto uninstall = qScopeGuard([] { Prompt::install(nullptr); });
    if (!options.jetSource.isEmpty())
        return convertJet(options);
    if (!options.newCellar.isEmpty())
        return createCellar(options.newCellar);
    std::unique_ptr<CellarSession> session = openForWork(options);
    if (!session)
        return 1;
    CellarSession::setCurrent(session.get());
    const auto current = qScopeGuard([] { CellarSession::setCurrent(nullptr); });
    if (options.backup)
        return backUp(*session);
    if (!options.exportCsv.isEmpty() || !options.importCsv.isEmpty())
        return exchangeCsv(*session, options);
    if (!options.restoreFile.isEmpty())
        return restore(*session, options.restoreFile);
    if (options.printOrder != 0)
        return printToPdf(*session, options.printOrder, options.pdfFile);
    return exchangeFile(*session, options);
}

int mainWithoutWindow(int argc, char** argv)
{
    Parsed parsed;
    {
        QCoreApplication application(argc, argv);
        Application::setNames();
        Application::installTranslations();
        parsed = parse(application.arguments());
        if (parsed.action == Parsed::Action::Exit) {
            print(parsed.exitCode == 0 ? stdout : stderr, parsed.message);
            return parsed.exitCode;
        }
        if (parsed.action == Parsed::Action::Window)
            return -1;
        if (parsed.options.printOrder == 0)
            return runBatch(parsed.options);
    }
    // Printing draws text: fonts need a GUI application, which needs no screen offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    Application::setNames();
    Application::installTranslations();
    return runBatch(parsed.options);
}

} // namespace CommandLine
