#pragma once

#include <QIcon>
#include <QString>

namespace zorvex {

// The pictures of the Tools pages: a tile in the top page's colour with the
// first letter of the page's label. The page bar, the page tree, the menu
// list and the context menu all use them, so one page looks the same
// everywhere.
QIcon topPageIcon(int topIndex);
// The picture of a page code (a page, a command or a submenu); a null icon
// for an unknown code.
QIcon pageCodeIcon(int code);

} // namespace zorvex
