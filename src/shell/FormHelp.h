#pragma once

#include <QWidget>

class QLabel;
class QPdfDocument;
class QPdfView;

namespace vantrel::shell {

// The manual viewer "Vantrel Help": Help.pdf of the program folder, shown at a
// page at 86 %. One viewer serves the whole program; every manual link reuses it.
class FormHelp : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal zoom = 0.86;

    // Shows the viewer at a page (counted from 1), making it beside the window of
    // `from` when there is none. Not modal: the calling screen stays usable.
    static FormHelp* showPage(QWidget* from, int page);
    // The slide show (the Quick Start) in the same viewer, from its first slide.
    static FormHelp* showSlideShow(QWidget* from);

    // The page on show, counted from 1.
    int currentPage() const;

private:
    struct Document {
        QString fileName;
        QString description;
    };

    explicit FormHelp(QWidget* owner);
    static FormHelp* showDocument(QWidget* from, const Document& document, int page);
    void goToPage(const Document& document, int page);

    QPdfDocument* m_document;
    QPdfView* m_view;
    QLabel* m_missing;
    QString m_fileName;
};

} // namespace vantrel::shell
