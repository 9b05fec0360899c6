#include "ui/app/PendingFeatures.h"

#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/Messages.h"

namespace zorvex {

void connectPendingFeatures(MainWindow* main, ToolsWindow* tools, Prompts& prompts)
{
    Q_UNUSED(tools) // its controls are all built now
    const auto notice = [&prompts] { prompts.notAvailableYet(); };
    ContextMenu* menu = main->contextMenu();
    QObject::connect(menu, &ContextMenu::clonesRequested, menu, notice);
    QObject::connect(menu, &ContextMenu::saveIconPositionsRequested, menu, notice);
    QObject::connect(menu, &ContextMenu::restoreIconPositionsRequested, menu, notice);
}

} // namespace zorvex
