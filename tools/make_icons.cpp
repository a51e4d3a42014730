// Renders the program's icon into the PNG sizes that desktops look for.
// Usage: vantrel-makeicons ICON.svg OUTPUT_FOLDER SIZE...
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: vantrel-makeicons ICON.svg OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "vantrel-makeicons: %s is no picture\n", qPrintable(arguments.at(1)));
        return 1;
    }
    const QDir output(arguments.at(2));
    for (const QString& sizeText : arguments.mid(3)) {
        const int size = sizeText.toInt();
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (size <= 0 || !output.mkpath(folder)) {
            std::fprintf(stderr, "vantrel-makeicons: cannot write size %s\n", qPrintable(sizeText));
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        if (!image.save(output.filePath(folder + QStringLiteral("/vantrel.png")))) {
            std::fprintf(stderr, "vantrel-makeicons: cannot save size %d\n", size);
            return 1;
        }
    }
    return 0;
}
