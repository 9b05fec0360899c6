#include "core/app/ToolsPageTree.h"

#include "core/app/PageCodes.h"

#include <QStringList>

#include <algorithm>

namespace zorvex {
namespace {

ToolsPageNode& childNamed(ToolsPageNode& parent, const QString& name)
{
    const auto it = std::find_if(parent.children.begin(), parent.children.end(),
                                 [&name](const ToolsPageNode& n) { return n.name == name; });
    if (it != parent.children.end())
        return *it;
    parent.children.push_back(ToolsPageNode{name, -1, -1, {}});
    return parent.children.back();
}

void numberTabControls(ToolsPageNode& node, int& next)
{
    if (node.children.empty())
        return;
    node.tabControl = next++;
    for (ToolsPageNode& child : node.children)
        numberTabControls(child, next);
}

ToolsPageNode buildTree()
{
    ToolsPageNode root;
    for (const QString& top : toolsTopPages())
        root.children.push_back(ToolsPageNode{top, -1, -1, {}});

    for (const PageCode& pc : pageCodes()) {
        // The favourites submenu is the only one with a page of its own.
        if (pc.action == PageAction::Command || (pc.action == PageAction::Submenu && pc.leaf.isEmpty()))
            continue;
        ToolsPageNode* node = &childNamed(root, pc.top);
        if (!pc.sub.isEmpty())
            node = &childNamed(*node, pc.sub);
        if (!pc.leaf.isEmpty())
            node = &childNamed(*node, pc.leaf);
        node->code = pc.code;
    }

    ToolsPageNode& alarm = childNamed(root, QStringLiteral("Alarm"));
    childNamed(alarm, QStringLiteral("Alarm"));
    childNamed(alarm, QString::fromUtf8("Dźwięk co godzinę"));

    ToolsPageNode& radio = childNamed(childNamed(root, QStringLiteral("Internet")), QStringLiteral("Radio"));
    radio.children.insert(radio.children.begin(), ToolsPageNode{QStringLiteral("Wszystkie stacje"), -1, -1, {}});

    int next = 0;
    numberTabControls(root, next);
    return root;
}

} // namespace

const ToolsPageNode& toolsPageTree()
{
    static const ToolsPageNode tree = buildTree();
    return tree;
}

std::optional<PagePath> pagePathFor(int code)
{
    if (code < 0)
        return std::nullopt;
    const ToolsPageNode& root = toolsPageTree();
    for (int t = 0; t < int(root.children.size()); ++t) {
        const ToolsPageNode& top = root.children[t];
        if (top.code == code)
            return PagePath{t, -1, -1};
        for (int s = 0; s < int(top.children.size()); ++s) {
            const ToolsPageNode& sub = top.children[s];
            if (sub.code == code)
                return PagePath{t, s, -1};
            for (int l = 0; l < int(sub.children.size()); ++l) {
                if (sub.children[l].code == code)
                    return PagePath{t, s, l};
            }
        }
    }
    return std::nullopt;
}

TabIndices parseTabIndices(const QString& text)
{
    TabIndices indices{};
    const QStringList fields = text.split(QLatin1Char('|'));
    for (int i = 0; i < kTabControlCount && i < fields.size(); ++i) {
        bool ok = false;
        const int v = fields[i].trimmed().toInt(&ok);
        indices[i] = ok && v >= 0 ? v : 0;
    }
    return indices;
}

QString formatTabIndices(const TabIndices& indices)
{
    QStringList fields;
    for (int v : indices)
        fields << QString::number(v);
    return fields.join(QLatin1Char('|'));
}

} // namespace zorvex
