#include "shell/FormHelp.h"

#include "data/ProgramFolder.h"
#include "ui/Twips.h"

#include <QDir>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPointer>
#include <QVBoxLayout>

namespace vantrel::shell {

namespace {

QPointer<FormHelp>& viewer()
{
    static QPointer<FormHelp> instance;
    return instance;
}

} // namespace

FormHelp* FormHelp::showPage(QWidget* from, int page)
{
    return showDocument(
        from, { QStringLiteral("Help.pdf"), QStringLiteral("The user manual") }, page);
}

FormHelp* FormHelp::showSlideShow(QWidget* from)
{
    return showDocument(
        from, { QStringLiteral("Presentation.pdf"), QStringLiteral("The slide show") }, 1);
}

FormHelp* FormHelp::showDocument(QWidget* from, const Document& document, int page)
{
    if (!viewer())
        viewer() = new FormHelp(from ? from->window() : nullptr);
    FormHelp* help = viewer();
    help->goToPage(document, page);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

FormHelp::FormHelp(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , m_document(new QPdfDocument(this))
    , m_view(new QPdfView(this))
    , m_missing(new QLabel(this))
{
    setObjectName(QStringLiteral("FormHelp"));
    setWindowTitle(QStringLiteral("Vantrel Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The manual never keeps the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_view->setObjectName(QStringLiteral("WebBrowser1"));
    m_view->setDocument(m_document);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(zoom);

    m_missing->setObjectName(QStringLiteral("LabelMissing"));
    m_missing->setAlignment(Qt::AlignCenter);
    m_missing->setWordWrap(true);
    m_missing->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    layout->addWidget(m_missing);
    resize(ui::twipsToPixels(QSize(12825, 7530), this));
}

int FormHelp::currentPage() const
{
    return m_view->pageNavigator()->currentPage() + 1;
}

void FormHelp::goToPage(const Document& document, int page)
{
    // Loaded on each request while it fails, so a file put in place later is found.
    if (m_fileName != document.fileName || m_document->status() != QPdfDocument::Status::Ready) {
        m_fileName = document.fileName;
        const QString path = QDir(data::programFolder()).absoluteFilePath(document.fileName);
        const bool loaded = m_document->load(path) == QPdfDocument::Error::None;
        m_view->setVisible(loaded);
        m_missing->setVisible(!loaded);
        m_missing->setText(QStringLiteral("%1 %2 could not be opened.")
                               .arg(document.description, QDir::toNativeSeparators(path)));
        if (!loaded)
            return;
    }
    const int last = m_document->pageCount();
    m_view->setZoomFactor(zoom);
    m_view->pageNavigator()->jump(qBound(1, page, last) - 1, QPointF(), zoom);
}

} // namespace vantrel::shell
