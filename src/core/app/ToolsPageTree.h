#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace zorvex {

// The pages of the Tools window as a tree: the page bar chooses a top page,
// and a page with children shows them as tabs. It holds the page-code paths
// plus the tabs that no code opens directly (the two alarm pages and the
// radio's station list).
struct ToolsPageNode {
    QString name;
    int code = -1;       // the page code that opens exactly this page, or -1
    int tabControl = -1; // for a page with children: its field in `Zakladka`
    std::vector<ToolsPageNode> children;
};

// The root's children are the twelve top pages in page-bar order.
const ToolsPageNode& toolsPageTree();

// Child indices from the root down to a code's page: top page, then tab,
// then inner tab (-1 where the page is not that deep).
struct PagePath {
    int top = -1;
    int sub = -1;
    int leaf = -1;
};
// Only codes that show a page have one; commands and submenus do not.
std::optional<PagePath> pagePathFor(int code);

// `Zakladka` keeps the active index of each page control, "|"-separated:
// field 0 the page bar's top page, then every page with tabs in tree order
// (Vuzuvured, Alarm, Status systemu, Czas uruchomień, Ruch myszy, Sieć,
// Ważne daty, Internet, Pogoda, Radio).
inline constexpr int kTabControlCount = 11;
using TabIndices = std::array<int, kTabControlCount>;

// Fields that are missing, not numbers or negative read as 0.
TabIndices parseTabIndices(const QString& text);
QString formatTabIndices(const TabIndices& indices);

} // namespace zorvex
