#pragma once

#include "ManualSource.h"

#include <QHash>
#include <QImage>
#include <QString>

namespace vantrel::shell {

// Turns the manual's HTML sections into Help.pdf and the Quick Start slides into
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

    // One landscape slide per section; a slide that does not fit its page is an error.
    bool writeSlides(
        const QList<ManualSection>& slides, const QString& pdfPath, QString* error) const;

private:
    bool checkPictures(const ManualSection& section, QString* error) const;

    QString m_title;
    QString m_version;
    QHash<QString, QImage> m_pictures;
};

} // namespace vantrel::shell
