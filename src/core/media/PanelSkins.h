#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// The playback panel's skins: folders below "Gfx/Panel odtwarzania/", each
// holding "skin.bmp". "Domyślny" is the built-in one and never a folder.
QString builtInSkinName();
// The skin folders that hold a skin, by name; one named "Domyślny" in any
// case is left out.
QStringList panelSkinNames(const QString& skinsFolder);
// A name that stands for one folder right inside the skins folder: not
// empty, not "." or "..", no separator.
bool isSkinFolderName(const QString& name);
// Deletes a skin's folder with everything in it (a linked folder: only the
// link). Refuses names that are not one folder of the skins folder.
bool deletePanelSkin(const QString& skinsFolder, const QString& name, QString* error);

} // namespace zorvex
