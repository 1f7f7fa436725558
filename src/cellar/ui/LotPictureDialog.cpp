#include "cellar/ui/LotPictureDialog.h"

#include "cellar/SharedImagePath.h"
#include "cellar/WineStock.h"
#include "db/CellarSession.h"
#include "platform/Prompt.h"
#include "widgets/ui/Pictures.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

CellarSession* session()
{
    return CellarSession::current();
}

} // namespace

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(150, 139);
}

void PicturePreview::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

QRect PicturePreview::pictureRect(const QSize& picture, const QSize& area, const QSize& screen)
{
    if (screen.width() <= 0 || screen.height() <= 0)
        return QRect(QPoint(0, 0), area);
    const int width = static_cast<int>(static_cast<qint64>(area.width()) * picture.width() / screen.width());
    const int height = static_cast<int>(static_cast<qint64>(area.height()) * picture.height() / screen.height());
    return QRect((area.width() - width) / 2, (area.height() - height) / 2, width, height);
}

void PicturePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Pictures::init();
    QIcon(QStringLiteral(":/icons/frame.svg")).paint(&painter, rect());
    const QRect inner = rect().adjusted(12, 12, -12, -12);
    if (m_picture.isNull()) {
        QIcon(QStringLiteral(":/icons/nopicture.svg")).paint(&painter, inner);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->size() : QSize(1024, 768);
    const QRect target = pictureRect(m_picture.size(), inner.size(), desktop).translated(inner.topLeft());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}

LotPictureDialog::LotPictureDialog(QWidget* parent, int mode, const QString& wineIndex)
    : QDialog(parent), m_mode(mode), m_wine(wineIndex)
{
    setObjectName(QStringLiteral("CDImage"));
    setWindowTitle(QStringLiteral("Ajout d'une image au vin"));
    auto* layout = new QVBoxLayout(this);
    auto* pathBox = new QGroupBox(QStringLiteral("Chemin de l'image"), this);
    auto* pathLayout = new QHBoxLayout(pathBox);
    m_pathEdit = new QLineEdit(pathBox);
    m_browse = new QPushButton(QStringLiteral("&Parcourir"), pathBox);
    pathLayout->addWidget(m_pathEdit, 1);
    pathLayout->addWidget(m_browse);
    layout->addWidget(pathBox);
    m_preview = new QPushButton(QStringLiteral("&Aperçu"), this);
    layout->addWidget(m_preview, 0, Qt::AlignLeft);
    m_area = new PicturePreview(this);
    layout->addWidget(m_area, 1);
    auto* buttons = new QHBoxLayout;
    m_save = new QPushButton(QStringLiteral("Enregistrer"), this);
    m_cancel = new QPushButton(QStringLiteral("Annuler"), this);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_browse, &QPushButton::clicked, this, &LotPictureDialog::browse);
    connect(m_preview, &QPushButton::clicked, this, &LotPictureDialog::preview);
    connect(m_save, &QPushButton::clicked, this, &LotPictureDialog::save);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (m_mode == 1) {
        setWindowTitle(QStringLiteral("Image associée à ce vin"));
        m_save->hide();
        m_browse->hide();
        m_preview->hide();
        m_pathEdit->setEnabled(false);
        if (!findPicture()) {
            setWindowTitle(QStringLiteral("Choix de l'image associée à ce vin"));
            m_save->show();
            m_browse->show();
            m_preview->show();
            m_pathEdit->setEnabled(true);
        }
    }
    preview();
    if (m_closeAtOnce)
        QTimer::singleShot(0, this, &QDialog::accept);
    resize(420, 420);
}

bool LotPictureDialog::findPicture()
{
    m_path.clear();
    if (!session())
        return false;
    const std::optional<QString> picture =
        WineStock::picture(*session(), QStringLiteral("CDImage::OnRecherche"), m_wine.toLongLong());
    const bool found = picture.has_value();
    const QString images = picture.value_or(QString());
    if (!images.isEmpty()) {
        m_path = images;
        m_pathEdit->setText(m_path);
        return true;
    }
    if (!found)
        return false; // no such wine: nothing to ask
    if (Prompt::show(QStringLiteral("Vous n'avez pas associé d'image à ce vin\rVoulez vous en associer une ?"),
                     QStringLiteral("Question !"), Prompt::Icon::Question,
                     Prompt::Buttons::YesNo) == Prompt::Answer::No) {
        SharedImagePath().clear();
        m_closeAtOnce = true;
    }
    return false;
}

void LotPictureDialog::browse()
{
    m_path = Prompt::current().openFileName(
        QStringLiteral("Choix du fichier image associé ..."),
        QStringLiteral("Fichiers (*bmp);;Images (*.png *.jpg *.jpeg *.gif *.webp *.tif *.tiff);;"
                       "Tous les fichiers (*)"),
        QString());
    m_pathEdit->setText(m_path);
}

void LotPictureDialog::preview()
{
    QImageReader reader(m_path);
    reader.setAutoTransform(true);
    m_picture = m_path.isEmpty() ? QImage() : reader.read();
    m_pathEdit->setText(m_path);
    m_area->setPicture(m_picture);
}

void LotPictureDialog::save()
{
    SharedImagePath() = m_path;
    accept();
}
