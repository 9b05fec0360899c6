#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace zorvex {

// The TrueType fonts a colour scheme brings: added for this program only
// (application fonts, never installed for the desktop) so the scheme's font
// settings find them by name, and removed again at exit.
class SchemeFonts {
public:
    ~SchemeFonts() { unload(); }

    // LoadSchemeFonts: every "*.ttf" file of the folder not tried before in
    // this run; a font whose family the system already has is not kept.
    // Errors are ignored.
    void load(const QString& schemeFolder);
    // UnloadSchemeFonts: removes every font this added.
    void unload();

    QStringList addedFamilies() const { return m_families; }

private:
    QSet<QString> m_tried;
    QList<int> m_ids;
    QStringList m_families;
};

} // namespace zorvex
