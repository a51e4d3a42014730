#pragma once

#include "ManualSource.h"

#include <QHash>
#include <QImage>
#include <QString>

namespace vantrel::shell {

// Turns the manual's HTML sections into Help.pdf and the slides into
// their PDF. Sources show pictures of the real screens as <img src="screen:Name">.
class ManualRenderer {
public:
    ManualRenderer(const QString& title, const QString& version);

    void addPicture(const QString& name, const QImage& image);

    // Contents on page 1, then each section from the top of a page of its own; a
    // section tied to screens starts exactly on their page, after blank pages where
    // needed. Fails without writing anything when a section would miss its page.
    bool writeManual(
        const QList<ManualSection>& sections, const QString& pdfPath, QString* error) const;

    // One landscape slide per section: the title across the top, the text in a
    // column at the left and the one picture that the section shows
    // (<img src="screen:Name">) as large as the rest of the slide allows. A slide
    // without exactly one picture, or whose text does not fit beside it, is an error.
    bool writePresentation(
        const QList<ManualSection>& slides, const QString& pdfPath, QString* error) const;

private:
    bool checkPictures(const ManualSection& section, QString* error) const;

    QString m_title;
    QString m_version;
    QHash<QString, QImage> m_pictures;
};

} // namespace vantrel::shell
