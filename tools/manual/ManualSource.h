#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vantrel::shell {

// One section of the manual or one slide of the slide show, read from an HTML
// file. The file's <h1> is its title; <meta name="screens" content="FormA FormB">
// names the screens it describes, whose common manual page it must start on.
struct ManualSection {
    QString fileName;
    QString title;
    QString html;
    QStringList screens;
    int page = 0; // 0: starts on the page after the section before it
};

// Reads every *.html file of a folder, in the order of their names.
bool readManualSources(const QString& folder, QList<ManualSection>* sections, QString* error);

} // namespace vantrel::shell
