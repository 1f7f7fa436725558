#include "jet/ui/JetImport.h"
#include "platform/Settings.h"

#include "jet/JetConversion.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>

namespace JetImport {

namespace {

QString& converter()
{
    static QString program;
    return program;
}

const QString kCaption = QStringLiteral("Cave de la version Windows");

// The new cellar's name: the one proposed, or one the user chooses; never a file that exists.
QString chooseTarget(const QString& jetPath)
{
    const QString proposed = JetConversion::proposedTarget(jetPath);
    const Prompt::Answer answer = Prompt::show(
        QStringLiteral(
            "Le fichier %1 est une cave de la version Windows de Tonnelix (une base Access).\n\nElle va être "
            "copiée dans une nouvelle cave Tonnelix ; le fichier d'origine ne sera pas modifié.\n\nNouvelle "
            "cave : %2\n\nOui : convertir sous ce nom.\nNon : choisir un autre nom.\nAnnuler : ne pas "
            "convertir.")
            .arg(QDir::toNativeSeparators(jetPath), QDir::toNativeSeparators(proposed)),
        kCaption, Prompt::Icon::Question, Prompt::Buttons::YesNoCancel);
    if (answer == Prompt::Answer::Yes)
        return proposed;
    if (answer != Prompt::Answer::No)
        return QString();
    for (;;) {
        const QString chosen = Prompt::current().saveFileName(QStringLiteral("Nom de la nouvelle cave"),
                                                              QStringLiteral("Caves Tonnelix (*.mdb)"), proposed);
        if (chosen.isEmpty())
            return QString();
        if (!QFileInfo::exists(chosen))
            return chosen;
        Prompt::show(QStringLiteral("Le fichier %1 existe déjà : une nouvelle cave ne remplace jamais un fichier. "
                                    "Choisissez un autre nom.")
                         .arg(QDir::toNativeSeparators(chosen)),
                     kCaption, Prompt::Icon::Exclamation);
    }
}

struct Outcome
{
    bool ok = false;
    QString report;
    QString error;
};

// Runs the conversion in a child process, its progress shown; the user may stop it.
Outcome runConverter(const QString& jetPath, const QString& target, QWidget* parent)
{
    const QString program = converter().isEmpty() ? QCoreApplication::applicationFilePath() : converter();
    QProcess child;
    QProgressDialog progress(QStringLiteral("Conversion de la cave de la version Windows…"), QStringLiteral("Arrêter"),
                             0, 100, parent);
    progress.setWindowTitle(kCaption);
    progress.setMinimumDuration(300);
    progress.setValue(0);
    QByteArray pending;
    QStringList report;
    QEventLoop loop;
    QObject::connect(&child, &QProcess::readyReadStandardOutput, &loop, [&] {
        pending += child.readAllStandardOutput();
        int end;
        while ((end = static_cast<int>(pending.indexOf('\n'))) >= 0) {
            const QString line = QString::fromLocal8Bit(pending.left(end));
            pending.remove(0, end + 1);
            if (line.startsWith(QLatin1String("@progression ")))
                progress.setValue(qBound(0, line.mid(13).toInt(), 99));
            else
                report << line;
        }
    });
    QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&child, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&child] { child.kill(); });
    child.start(program, {QStringLiteral("--convert-jet"), jetPath, target, QStringLiteral("--progress")});
    if (child.state() != QProcess::NotRunning || child.error() != QProcess::FailedToStart)
        loop.exec();
    progress.reset();
    Outcome outcome;
    if (!pending.isEmpty())
        report << QString::fromLocal8Bit(pending).trimmed();
    if (child.error() == QProcess::FailedToStart) {
        outcome.error = QStringLiteral("Le programme de conversion n'a pas pu être lancé : rien n'a été écrit.");
    } else if (child.exitStatus() != QProcess::NormalExit) {
        outcome.error =
            progress.wasCanceled()
                ? QStringLiteral("La conversion a été arrêtée : rien n'a été écrit.")
                : QStringLiteral("La lecture du fichier a échoué (la conversion s'est arrêtée) : le fichier "
                                 "est sans doute abîmé. Rien n'a été écrit ; le fichier d'origine n'a pas "
                                 "été modifié.");
    } else if (child.exitCode() != 0) {
        outcome.error = QString::fromLocal8Bit(child.readAllStandardError()).trimmed();
    } else {
        outcome.ok = true;
        outcome.report = report.join(QLatin1Char('\n')).trimmed();
    }
    // A child stopped half-way leaves its temporary file: it never took the cellar's name.
    if (!outcome.ok) {
        const QFileInfo info(target);
        QDir folder = info.absoluteDir();
        for (const QString& scratch : folder.entryList(
                 {QLatin1Char('.') + info.fileName() + QStringLiteral(".*.converting*")}, QDir::Files | QDir::Hidden))
            folder.remove(scratch);
    }
    return outcome;
}

void offerPictureFolder(const QString& target)
{
    if (Prompt::show(
            QStringLiteral("Des images de la cave sont introuvables ici (leur chemin est celui de Windows).\n\n"
                           "Voulez-vous choisir le dossier où elles se trouvent maintenant ? Elles y seront "
                           "cherchées par leur nom de fichier."),
            kCaption, Prompt::Icon::Question, Prompt::Buttons::YesNo) != Prompt::Answer::Yes)
        return;
    const QString folder = Prompt::current().folderName(QStringLiteral("Dossier des images"), QDir::homePath());
    if (folder.isEmpty())
        return;
    QStringList missing;
    QString error;
    const int found = JetConversion::relinkPictures(target, folder, &missing, &error);
    if (found < 0) {
        Prompt::show(QStringLiteral("Les images n'ont pas pu être enregistrées : %1").arg(error), kCaption,
                     Prompt::Icon::Exclamation);
        return;
    }
    Prompt::show(QStringLiteral("%1 image(s) retrouvée(s) dans %2.%3")
                     .arg(found)
                     .arg(QDir::toNativeSeparators(folder))
                     .arg(missing.isEmpty()
                              ? QString()
                              : QStringLiteral("\nToujours introuvables :\n") + missing.join(QLatin1Char('\n'))),
                 kCaption, Prompt::Icon::Information);
}

} // namespace

void setConverter(const QString& program)
{
    converter() = program;
}

QString convertInteractively(const QString& jetPath, QWidget* parent)
{
    const QString target = chooseTarget(jetPath);
    if (target.isEmpty())
        return QString();
    const Outcome outcome = runConverter(jetPath, target, parent);
    if (!outcome.ok) {
        Prompt::show(outcome.error, QStringLiteral("Conversion impossible"), Prompt::Icon::Exclamation);
        return QString();
    }
    Prompt::show(outcome.report, QStringLiteral("Conversion terminée"), Prompt::Icon::Information);
    if (outcome.report.contains(QStringLiteral("Image introuvable ici")))
        offerPictureFolder(target);
    // The new cellar is the user's cellar from now on.
    Settings::set(Settings::cellarPath, target);
    return target;
}

} // namespace JetImport
