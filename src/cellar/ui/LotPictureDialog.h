#pragma once

#include <QDialog>
#include <QImage>

class QLineEdit;
class QPushButton;
class PicturePreview;

// "Ajout d'une image au vin": chooses a picture file, previews it and hands the path back through
// SharedImagePath(); in mode 1 it shows the picture of an existing wine, or offers to choose one.
// It never writes the cellar.
class LotPictureDialog : public QDialog
{
    Q_OBJECT
public:
    LotPictureDialog(QWidget* parent, int mode, const QString& wineIndex);

    // Looks up the wine's picture; false when it has none.
    bool findPicture();
    void browse();
    void preview();
    void save();

    // True when the user declined to choose a picture: the dialog ends as soon as it runs.
    bool closesAtOnce() const { return m_closeAtOnce; }
    const QString& path() const { return m_path; }
    bool pictureLoaded() const { return !m_picture.isNull(); }
    QLineEdit* pathEdit() const { return m_pathEdit; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* previewButton() const { return m_preview; }
    PicturePreview* previewArea() const { return m_area; }

private:
    int m_mode;
    QString m_wine;
    QString m_path;
    QImage m_picture;
    bool m_closeAtOnce = false;
    QLineEdit* m_pathEdit = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_preview = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    PicturePreview* m_area = nullptr;
};

// The framed picture area: the picture scaled to its share of the screen, centred; a placeholder when
// there is none.
class PicturePreview : public QWidget
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    // Where the picture is drawn for an area of this size on a screen of that size.
    static QRect pictureRect(const QSize& picture, const QSize& area, const QSize& screen);
    QSize sizeHint() const override { return QSize(300, 280); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
