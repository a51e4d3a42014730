// Writes the launcher's documents as PDF from their HTML sources.
// Usage: vantrel-makesetupdocs SOURCE.html OUTPUT.pdf [SOURCE.html OUTPUT.pdf ...]
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.size() % 2 != 0) {
        std::fprintf(stderr, "usage: vantrel-makesetupdocs SOURCE.html OUTPUT.pdf ...\n");
        return 2;
    }
    for (qsizetype i = 0; i < arguments.size(); i += 2) {
        QFile source(arguments.at(i));
        if (!source.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "vantrel-makesetupdocs: %s: %s\n", qPrintable(arguments.at(i)),
                qPrintable(source.errorString()));
            return 1;
        }
        QTextDocument document;
        document.setHtml(QString::fromUtf8(source.readAll()));
        QPdfWriter writer(arguments.at(i + 1));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        document.print(&writer);
        if (!QFile::exists(arguments.at(i + 1))) {
            std::fprintf(stderr, "vantrel-makesetupdocs: %s was not written\n",
                qPrintable(arguments.at(i + 1)));
            return 1;
        }
    }
    return 0;
}
