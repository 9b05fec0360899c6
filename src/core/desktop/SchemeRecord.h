#pragma once

#include "core/settings/MainWindowSettings.h"

#include <QString>

namespace zorvex {

// A colour scheme: one line of fields separated by the byte 0xFF (read as
// kListSeparator). This system writes 35 fields; older schemes have 31 and
// read with the fonts and the tenth text colour missing.
inline constexpr int kSchemeFields = 35;
inline constexpr int kLegacySchemeFields = 31;

// The first entry of every scheme list.
QString defaultSchemeName(); // "Domyślny"

// The record used when the default scheme's folder has none (31 fields).
QString builtInSchemeRecord();

// Whether a line is a scheme record at all: it holds the separator.
bool isSchemeRecord(const QString& line);

// Field n (from 1) of a record.
QString schemeField(const QString& record, int n);

// The record with its first field replaced by `name`.
QString renamedSchemeRecord(const QString& record, const QString& name);

// The 35-field record of the look the settings hold now.
QString schemeRecordFromSettings(const QString& name, const MainWindowSettings& s);

// Copies a record into the settings: the switches, the background, the
// gauge, text, marking and today colours, the precedence and the fonts. A
// missing font gives the built-in one, a missing playback panel colour the
// background colour, a missing tenth text colour 0; a colour field that is
// not a number leaves that colour as it was.
void applySchemeRecord(const QString& record, MainWindowSettings& s);

} // namespace zorvex
