#include "ui/app/ClockMenu.h"

#include "core/app/PageCodes.h"
#include "ui/app/DateTimeSettings.h"

namespace zorvex {

ClockMenu::ClockMenu(Prompts& prompts, QWidget* parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("PopupMenu5"));
    m_sync = addAction(QStringLiteral("Synchronizuj czas"), this, &ClockMenu::syncTimeRequested);
    m_setDateTime = addAction(QString::fromUtf8("Ustaw datę/godzinę"), this,
                              [this, p = &prompts] { openDateTimeSettings(*p, parentWidget()); });
    m_timePage = addAction(QString::fromUtf8("Pokaż okno: Narzędzia - Czas"), this,
                           [this] { emit pageCodeChosen(page::Time); });
}

} // namespace zorvex
