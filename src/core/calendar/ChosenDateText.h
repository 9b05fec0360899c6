#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace zorvex {

// The "Imieniny i sentencja" window's texts for any date: the heading
// "Data: " with the date in words, and the memo lines "Imieniny:", the
// names, an empty line, "Sentencja:", the quoted sentence. An unreadable
// file leaves its line empty.
struct ChosenDateText {
    QString heading;
    QStringList lines;
    // The memo as the clipboard gets it, lines joined by CR LF.
    QString clipboardText() const { return lines.join(QStringLiteral("\r\n")); }
};

ChosenDateText chosenDateText(const QDate& date, const QString& namesPath, const QString& sentencePath);

} // namespace zorvex
