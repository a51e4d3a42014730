#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace vantrel::ui {

// A screen whose section of the user manual begins on a fixed page of Help.pdf.
struct ManualPage {
    QString screen;
    int page = 0;
};

// Every screen with a Help button and its page. The manual is laid out so that
// each of these sections starts on exactly this page.
const QList<ManualPage>& manualPages();

// The page of a screen's section, 0 for a screen without one.
int manualPageOf(QStringView screen);

} // namespace vantrel::ui
