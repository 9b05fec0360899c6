#pragma once

#include "core/reminders/UpcomingDates.h"

#include <QList>
#include <QString>

namespace zorvex {

// The HTML page of the "Ważne daty - powiadomienie" window: the table of
// `rows`, with its pictures (Gfx/01.png, Gfx/02.jpg, Gfx/03.jpg) taken from
// `dataFolder` as file:// addresses.
QString upcomingPageHtml(const QList<UpcomingRow>& rows, const QString& dataFolder);

// A reminder text as the page writes it: the double quote, <, >, ^, ~ and
// the Latin-1 signs and letters of Windows-1250 become named entities; the
// ampersand and the Polish letters other than ó and Ó stay as they are.
QString escapeUpcomingText(const QString& text);

// The data folder as the page addresses it: "/" separators, a trailing "/",
// and the characters that would end the quoted address or change its
// meaning (', ", <, >, &, #, ?, %) percent-encoded.
QString upcomingPagePath(const QString& dataFolder);

} // namespace zorvex
