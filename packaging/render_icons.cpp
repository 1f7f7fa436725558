// Draws the application icon (SVG) at the sizes of the hicolor icon theme, at build time.
//   tonnelix-render-icons ICON.svg OUTDIR  ->  OUTDIR/<n>x<n>/apps/<name>.png
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: tonnelix-render-icons ICON.svg NAME OUTDIR\n");
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "tonnelix-render-icons: cannot read %s\n", qUtf8Printable(args[1]));
        return 1;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[3]).arg(size);
        QDir().mkpath(dir);
        if (!image.save(dir + QLatin1Char('/') + args[2] + QStringLiteral(".png"))) {
            std::fprintf(stderr, "tonnelix-render-icons: cannot write in %s\n", qUtf8Printable(dir));
            return 1;
        }
    }
    return 0;
}
