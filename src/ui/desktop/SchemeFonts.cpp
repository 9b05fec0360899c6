#include "ui/desktop/SchemeFonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace zorvex {

void SchemeFonts::load(const QString& schemeFolder)
{
    const QDir dir(schemeFolder);
    if (!dir.exists())
        return;
    // Name filters ignore case, so "FONT.TTF" counts too.
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.ttf")}, QDir::Files)) {
        const QString path = file.absoluteFilePath();
        if (m_tried.contains(path))
            continue;
        m_tried.insert(path);
        const QStringList before = QFontDatabase::families();
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0)
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        bool known = families.isEmpty();
        for (const QString& family : families)
            known = known || before.contains(family);
        // The system's own font of that name stays the one used, and is
        // never taken away at exit.
        if (known) {
            QFontDatabase::removeApplicationFont(id);
            continue;
        }
        m_ids << id;
        m_families << families;
    }
}

void SchemeFonts::unload()
{
    for (int id : std::as_const(m_ids))
        QFontDatabase::removeApplicationFont(id);
    m_ids.clear();
    m_families.clear();
}

} // namespace zorvex
