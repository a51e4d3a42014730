#include "ManualRenderer.h"

#include "ui/ManualPages.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <vector>

namespace vantrel::shell {

namespace {

constexpr int resolution = 300;
const QColor accent(0x1f, 0x4a, 0x7d);

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

qreal millimetres(qreal mm)
{
    return mm * resolution / 25.4;
}

const QString& manualStyle()
{
    static const QString css = QStringLiteral(
        "h1 { font-size: 20pt; color: #1f4a7d; margin-bottom: 10px; }"
        "h2 { font-size: 13pt; color: #1f4a7d; margin-top: 14px; margin-bottom: 4px; }"
        "h3 { font-size: 11pt; margin-top: 10px; margin-bottom: 2px; }"
        "p, li { font-size: 10.5pt; }"
        "p { margin-bottom: 6px; }"
        "td, th { font-size: 10pt; padding: 3px; }"
        "th { background-color: #dce6f2; }"
        ".note { color: #555555; font-style: italic; }");
    return css;
}

const QString& slideStyle()
{
    static const QString css = QStringLiteral("h1 { font-size: 24pt; color: #1f4a7d; }"
                                              "p, li { font-size: 14pt; margin-bottom: 12px; }");
    return css;
}

// The one picture of a slide and its text without the title and the picture,
// which the slide places itself.
struct SlideParts {
    QString picture;
    QString text;
};

bool splitSlide(const ManualSection& slide, SlideParts* parts, QString* error)
{
    static const QRegularExpression picture(
        QStringLiteral("<img[^>]*\\bsrc=\"(screen:[^\"]*)\"[^>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression title(QStringLiteral("<h1[^>]*>.*?</h1>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QStringList names;
    for (const QRegularExpressionMatch& match : picture.globalMatch(slide.html))
        names.append(match.captured(1));
    if (names.size() != 1)
        return fail(error,
            QStringLiteral("%1: the slide \"%2\" must show one picture of a screen, not %3.")
                .arg(slide.fileName, slide.title)
                .arg(names.size()));
    parts->picture = names.first();
    parts->text = slide.html;
    parts->text.remove(picture).remove(title);
    return true;
}

// A document laid out in pages of the writer's body size.
struct PagedDocument {
    std::unique_ptr<QTextDocument> document;
    int pageCount = 0;
};

class PdfOutput {
public:
    PdfOutput(const QString& path, const QPageLayout& layout, const QString& title)
        : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly))
            return;
        m_writer = std::make_unique<QPdfWriter>(&m_file);
        m_writer->setResolution(resolution);
        m_writer->setPageLayout(layout);
        m_writer->setTitle(title);
        m_writer->setCreator(QStringLiteral("Vantrel"));
    }

    bool isOpen() const { return m_writer != nullptr; }
    QString errorString() const { return m_file.errorString(); }
    QPdfWriter* writer() const { return m_writer.get(); }

    QRectF paintRect() const
    {
        const QRect rect = m_writer->pageLayout().paintRectPixels(resolution);
        return QRectF(0, 0, rect.width(), rect.height());
    }

    PagedDocument layOut(const QString& html, const QString& css, qreal pointSize,
        const QSizeF& pageSize, const QHash<QString, QImage>& pictures) const
    {
        PagedDocument paged { std::make_unique<QTextDocument>(), 0 };
        QTextDocument* document = paged.document.get();
        document->documentLayout()->setPaintDevice(m_writer.get());
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(pointSize);
        document->setDefaultFont(font);
        document->setDefaultStyleSheet(css);
        for (auto picture = pictures.cbegin(); picture != pictures.cend(); ++picture)
            document->addResource(
                QTextDocument::ImageResource, QUrl(picture.key()), picture.value());
        document->setHtml(html);
        document->setDocumentMargin(0);
        document->setPageSize(pageSize);
        paged.pageCount = document->pageCount();
        return paged;
    }

    // A document as tall as its contents, for a part of a page.
    std::unique_ptr<QTextDocument> layOutBlock(
        const QString& html, const QString& css, qreal pointSize, qreal width) const
    {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(m_writer.get());
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(pointSize);
        document->setDefaultFont(font);
        document->setDefaultStyleSheet(css);
        document->setHtml(html);
        document->setDocumentMargin(0);
        document->setTextWidth(width);
        return document;
    }

    bool begin(QString* error)
    {
        if (!m_painter.begin(m_writer.get()))
            return fail(
                error, QStringLiteral("%1: the PDF could not be started.").arg(m_file.fileName()));
        return true;
    }

    QPainter& painter() { return m_painter; }

    void nextPage() { m_writer->newPage(); }

    bool finish(QString* error)
    {
        m_painter.end();
        if (!m_file.commit())
            return fail(
                error, QStringLiteral("%1: %2").arg(m_file.fileName(), m_file.errorString()));
        return true;
    }

private:
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
};

void paintPage(QPainter& painter, QTextDocument& document, int index, const QRectF& body)
{
    painter.save();
    painter.translate(body.left(), body.top() - index * body.height());
    const QRectF clip(0, index * body.height(), body.width(), body.height());
    document.drawContents(&painter, clip);
    painter.restore();
}

void paintFooter(QPainter& painter, const QRectF& area, const QString& left, const QString& right)
{
    painter.save();
    painter.setPen(QPen(accent, millimetres(0.3)));
    painter.drawLine(area.topLeft(), area.topRight());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    const QRectF text = area.adjusted(0, millimetres(1.5), 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, left);
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop, right);
    painter.restore();
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString contentsHtml(const QString& title, const QString& version,
    const QList<ManualSection>& sections, const QList<int>& startPages)
{
    QString rows;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        rows += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
                    .arg(escaped(sections.at(i).title))
                    .arg(startPages.value(i));
    }
    return QStringLiteral("<h1 style=\"font-size: 30pt;\">%1</h1>"
                          "<p style=\"font-size: 12pt; color: #555555;\">%2</p>"
                          "<h2>Contents</h2>"
                          "<table width=\"100%\" cellspacing=\"0\">%3</table>")
        .arg(escaped(title), escaped(version), rows);
}

} // namespace

ManualRenderer::ManualRenderer(const QString& title, const QString& version)
    : m_title(title)
    , m_version(version)
{
}

void ManualRenderer::addPicture(const QString& name, const QImage& image)
{
    m_pictures.insert(name, image);
}

bool ManualRenderer::checkPictures(const ManualSection& section, QString* error) const
{
    static const QRegularExpression source(QStringLiteral("src=\"(screen:[^\"]*)\""));
    for (const QRegularExpressionMatch& match : source.globalMatch(section.html)) {
        if (!m_pictures.contains(match.captured(1)))
            return fail(error,
                QStringLiteral("%1: there is no picture %2.")
                    .arg(section.fileName, match.captured(1)));
    }
    return true;
}

bool ManualRenderer::writeManual(
    const QList<ManualSection>& sections, const QString& pdfPath, QString* error) const
{
    for (const ui::ManualPage& entry : ui::manualPages()) {
        const bool described = std::any_of(sections.cbegin(), sections.cend(),
            [&](const ManualSection& s) { return s.screens.contains(entry.screen); });
        if (!described)
            return fail(error,
                QStringLiteral("No section of the manual describes the screen %1.")
                    .arg(entry.screen));
    }
    for (const ManualSection& section : sections) {
        if (!checkPictures(section, error))
            return false;
    }

    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter);
    PdfOutput output(pdfPath, layout, m_title);
    if (!output.isOpen())
        return fail(error, QStringLiteral("%1: %2").arg(pdfPath, output.errorString()));
    const QRectF paint = output.paintRect();
    const qreal footerHeight = millimetres(8);
    const QRectF body(0, 0, paint.width(), paint.height() - footerHeight);
    const QRectF footer(
        0, body.bottom() + millimetres(2), paint.width(), footerHeight - millimetres(2));

    std::vector<PagedDocument> documents;
    for (const ManualSection& section : sections)
        documents.push_back(
            output.layOut(section.html, manualStyle(), 10.5, body.size(), m_pictures));

    // The contents page lists the start pages, which follow from its own length;
    // a first layout with wide page numbers gives that length.
    QList<int> placeholders(sections.size(), 888);
    const int contentsPages = output
                                  .layOut(contentsHtml(m_title, m_version, sections, placeholders),
                                      manualStyle(), 10.5, body.size(), {})
                                  .pageCount;
    QList<int> startPages;
    int nextPage = contentsPages + 1;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const ManualSection& section = sections.at(i);
        if (section.page != 0) {
            if (nextPage > section.page) {
                return fail(error,
                    QStringLiteral("%1: the section \"%2\" must start on page %3, but the "
                                   "pages before it already reach page %4.")
                        .arg(section.fileName, section.title)
                        .arg(section.page)
                        .arg(nextPage - 1));
            }
            nextPage = section.page;
        }
        startPages.append(nextPage);
        nextPage += documents.at(size_t(i)).pageCount;
    }
    const PagedDocument contents
        = output.layOut(contentsHtml(m_title, m_version, sections, startPages), manualStyle(), 10.5,
            body.size(), {});

    if (!output.begin(error))
        return false;
    QPainter& painter = output.painter();
    const QString footerTitle = m_title + QStringLiteral(" \u2013 ") + m_version;
    int page = 0;
    auto startPage = [&] {
        if (page > 0)
            output.nextPage();
        ++page;
    };
    for (int i = 0; i < contents.pageCount; ++i) {
        startPage();
        paintPage(painter, *contents.document, i, body);
        paintFooter(painter, footer, footerTitle, QString::number(page));
    }
    for (qsizetype s = 0; s < sections.size(); ++s) {
        while (page + 1 < startPages.at(s)) {
            startPage();
            painter.setPen(Qt::gray);
            painter.drawText(
                body, Qt::AlignCenter, QStringLiteral("This page is intentionally left blank."));
            paintFooter(painter, footer, footerTitle, QString::number(page));
        }
        const PagedDocument& paged = documents.at(size_t(s));
        for (int i = 0; i < paged.pageCount; ++i) {
            startPage();
            paintPage(painter, *paged.document, i, body);
            paintFooter(painter, footer, footerTitle, QString::number(page));
        }
    }
    return output.finish(error);
}

bool ManualRenderer::writePresentation(
    const QList<ManualSection>& slides, const QString& pdfPath, QString* error) const
{
    if (slides.isEmpty())
        return fail(error, QStringLiteral("There are no slides."));
    QList<SlideParts> parts;
    for (const ManualSection& slide : slides) {
        if (!checkPictures(slide, error) || !splitSlide(slide, &parts.emplace_back(), error))
            return false;
    }
    const QPageLayout layout(QPageSize(QSizeF(254, 142.875), QPageSize::Millimeter),
        QPageLayout::Portrait, QMarginsF(22, 12, 14, 10), QPageLayout::Millimeter);
    PdfOutput output(pdfPath, layout, m_title);
    if (!output.isOpen())
        return fail(error, QStringLiteral("%1: %2").arg(pdfPath, output.errorString()));
    const QRectF paint = output.paintRect();
    const qreal footerHeight = millimetres(7);
    const QRectF body(0, 0, paint.width(), paint.height() - footerHeight);
    const QRectF footer(
        0, body.bottom() + millimetres(2), paint.width(), footerHeight - millimetres(2));
    const qreal columnWidth = millimetres(60);
    const qreal gap = millimetres(6);

    struct LaidOut {
        std::unique_ptr<QTextDocument> title;
        std::unique_ptr<QTextDocument> text;
        QRectF pictureArea;
    };
    std::vector<LaidOut> laidOut;
    for (qsizetype i = 0; i < slides.size(); ++i) {
        const ManualSection& slide = slides.at(i);
        LaidOut page;
        page.title = output.layOutBlock(QStringLiteral("<h1>%1</h1>").arg(escaped(slide.title)),
            slideStyle(), 14, body.width());
        page.text = output.layOutBlock(parts.at(i).text, slideStyle(), 14, columnWidth);
        const qreal top = page.title->size().height() + millimetres(3);
        page.pictureArea
            = QRectF(columnWidth + gap, top, body.width() - columnWidth - gap, body.height() - top);
        if (page.text->size().height() > page.pictureArea.height())
            return fail(error,
                QStringLiteral("%1: the text of the slide \"%2\" does not fit beside its picture.")
                    .arg(slide.fileName, slide.title));
        laidOut.push_back(std::move(page));
    }

    if (!output.begin(error))
        return false;
    QPainter& painter = output.painter();
    // Screenshots are text and lines, which JPEG would blur.
    painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::LosslessImageRendering);
    for (size_t s = 0; s < laidOut.size(); ++s) {
        if (s > 0)
            output.nextPage();
        const LaidOut& page = laidOut.at(s);
        // A band down the left edge of the page, in the margin.
        painter.fillRect(
            QRectF(-millimetres(22), -millimetres(12), millimetres(9), millimetres(142.875)),
            accent);
        page.title->drawContents(&painter, body);
        painter.save();
        painter.translate(0, page.pictureArea.top());
        page.text->drawContents(&painter, QRectF(0, 0, columnWidth, page.pictureArea.height()));
        painter.restore();

        const QImage& picture = m_pictures.value(parts.at(qsizetype(s)).picture);
        QSizeF fitted = QSizeF(picture.size()).scaled(page.pictureArea.size(), Qt::KeepAspectRatio);
        const QRectF target(page.pictureArea.right() - fitted.width(), page.pictureArea.top(),
            fitted.width(), fitted.height());
        painter.drawImage(target, picture);
        painter.setPen(QPen(Qt::gray, millimetres(0.25)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(target);

        paintFooter(painter, footer, m_title + QStringLiteral(" \u2013 ") + m_version,
            QStringLiteral("%1 / %2").arg(s + 1).arg(laidOut.size()));
    }
    return output.finish(error);
}

} // namespace vantrel::shell
