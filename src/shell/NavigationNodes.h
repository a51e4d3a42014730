#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vantrel::shell {

// One node of the navigation tree. Actions are found by the text alone, so the
// trailing blanks of the archive and report branches are part of it.
struct NavigationNode {
    QString key;
    QString text;
    QString image;
    QString parentKey; // empty for the root
};

// Every node in display order; a parent always comes before its children.
const QList<NavigationNode>& navigationNodes();

// The keys of the navigation image list, in the order of the list.
const QStringList& navigationImageKeys();

} // namespace vantrel::shell
