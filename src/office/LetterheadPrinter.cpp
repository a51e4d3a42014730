#include "office/LetterheadPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <memory>

namespace vantrel::office {

namespace {

// Laid out for the device itself, so point sizes and line breaks are those of the page.
std::unique_ptr<QTextDocument> layoutFor(const QTextDocument& source, QPagedPaintDevice* device)
{
    std::unique_ptr<QTextDocument> copy(source.clone());
    copy->documentLayout()->setPaintDevice(device);
    copy->setDocumentMargin(0);
    return copy;
}

void draw(QPainter* painter, QTextDocument* document, const QRectF& clip)
{
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    document->documentLayout()->draw(painter, context);
}

} // namespace

LetterheadPrinter::LetterheadPrinter(const QTextDocument& body, const QTextDocument* pageHeader)
    : m_body(body)
    , m_pageHeader(pageHeader)
{
}

bool LetterheadPrinter::print(QPagedPaintDevice* device, QString* error) const
{
    device->setPageMargins(QMarginsF(25, 12.5, 25, 20), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(device)) {
        if (error)
            *error = QStringLiteral("The printer could not start printing.");
        return false;
    }
    const qreal width = device->width();
    const qreal height = device->height();
    const qreal millimetre = device->logicalDpiY() / 25.4;

    std::unique_ptr<QTextDocument> header;
    qreal headerHeight = 0;
    if (m_pageHeader && !m_pageHeader->isEmpty()) {
        header = layoutFor(*m_pageHeader, device);
        header->setTextWidth(width);
        // A letterhead taller than half the page is cut, so the letter still has room.
        headerHeight = std::min(header->size().height(), height / 2);
    }
    const qreal bodyTop = header ? headerHeight + 8 * millimetre : 0;
    const qreal bodyHeight = height - bodyTop;

    std::unique_ptr<QTextDocument> body = layoutFor(m_body, device);
    body->setPageSize(QSizeF(width, bodyHeight));
    const int pages = body->pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device->newPage()) {
            if (error)
                *error = QStringLiteral("The printer could not start page %1.").arg(page + 1);
            return false;
        }
        if (header) {
            painter.save();
            painter.setClipRect(QRectF(0, 0, width, headerHeight));
            draw(&painter, header.get(), QRectF(0, 0, width, headerHeight));
            painter.restore();
        }
        painter.save();
        painter.translate(0, bodyTop);
        painter.setClipRect(QRectF(0, 0, width, bodyHeight));
        painter.translate(0, -page * bodyHeight);
        // A line moved to the next page starts exactly at this page's bottom edge;
        // the clip stops short of it, or it would be printed (invisibly) twice.
        draw(&painter, body.get(), QRectF(0, page * bodyHeight, width, bodyHeight - 0.5));
        painter.restore();
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("The printed pages could not be finished.");
        return false;
    }
    return true;
}

} // namespace vantrel::office
