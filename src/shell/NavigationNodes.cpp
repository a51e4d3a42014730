#include "shell/NavigationNodes.h"

namespace vantrel::shell {

namespace {

NavigationNode node(const char* key, const char* text, const char* image, const char* parent)
{
    return { QLatin1String(key), QLatin1String(text), QLatin1String(image), QLatin1String(parent) };
}

QList<NavigationNode> buildNodes()
{
    return {
        node("root", "Main Menu", "Menu", ""),
        node("child1_root", "Companies", "Company", "root"),
        node("child1_child1", "Contacts", "Arrow", "child1_root"),
        node("child2_child1", "Correspondence", "Arrow", "child1_root"),
        node("child3_child1", "Projects", "Arrow", "child1_root"),
        node("child4_child1", "Competition", "Arrow", "child1_root"),
        node("child5_child1", "Attachments", "Arrow", "child1_root"),
        node("child6_child1", "Sales", "Arrow", "child1_root"),
        node("child7_child1", "Call Reports", "Arrow", "child1_root"),
        node("child2_root", "Archive", "Archive", "root"),
        node("child1_child2", "Contacts ", "Arrow", "child2_root"),
        node("child2_child2", "Correspondence ", "Arrow", "child2_root"),
        node("child3_child2", "Projects ", "Arrow", "child2_root"),
        node("child4_child2", "Competition ", "Arrow", "child2_root"),
        node("child5_child2", "Attachments ", "Arrow", "child2_root"),
        node("child6_child2", "Sales ", "Arrow", "child2_root"),
        node("child7_child2", "Call Reports ", "Arrow", "child2_root"),
        node("child3_root", "Reports", "Report", "root"),
        node("child1_child3", "Companies  ", "Arrow", "child3_root"),
        node("child2_child3", "Contacts  ", "Arrow", "child3_root"),
        node("child4_child3", "Filter Call Reports", "Arrow", "child3_root"),
        node("child5_child3", "Search Call Reports", "Arrow", "child3_root"),
        node("child6_child3", "Competition", "Arrow", "child3_root"),
        node("child7_child3", "Overdue Meetings", "Arrow", "child3_root"),
        node("child8_child3", "Sales Figures", "Arrow", "child3_root"),
        node("child9_child3", "Active Projects", "Arrow", "child3_root"),
        node("child4_root", "Google", "Google", "root"),
        node("child5_root", "Competitors", "Competitor", "root"),
        node("child6_root", "Price List", "List", "root"),
        node("child7_root", "Mail Merge", "MailMerge", "root"),
        node("child8_root", "MS-Office", "Office", "root"),
        node("child1_child7", "MS-Excel", "Excel", "child8_root"),
        node("child2_child7", "MS-Outlook Calendar", "Calendar", "child8_root"),
        node("child3_child7", "MS-Outlook Tasks", "Task", "child8_root"),
        node("child4_child7", "MS-Outlook Inbox", "Inbox", "child8_root"),
        node("child5_child7", "MS-Word", "Word", "child8_root"),
    };
}

} // namespace

const QList<NavigationNode>& navigationNodes()
{
    static const QList<NavigationNode> nodes = buildNodes();
    return nodes;
}

const QStringList& navigationImageKeys()
{
    static const QStringList keys = QStringLiteral(
        "Folder MailMerge Company Report Office Task Competitor Contact List Archive Google Excel "
        "Outlook Word Menu Calendar Inbox Arrow")
                                        .split(QLatin1Char(' '));
    return keys;
}

} // namespace vantrel::shell
