#include "ui/app/PendingFeatures.h"

#include "core/app/ContextMenuModel.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/Messages.h"

namespace zorvex {

void connectPendingFeatures(MainWindow* main, ToolsWindow* tools)
{
    const auto notice = [] { showNotAvailableYet(); };
    ContextMenu* menu = main->contextMenu();
    // Recording waits for its encoder; the other radio items are the radio's.
    QObject::connect(menu, &ContextMenu::radioCommandChosen, menu, [notice](int command) {
        if (command == int(RadioCommand::Record))
            notice();
    });
    QObject::connect(menu, &ContextMenu::miscListEntryChosen, menu, notice);
    QObject::connect(tools, &ToolsWindow::miscMenuEditorRequested, tools, notice);
}

} // namespace zorvex
