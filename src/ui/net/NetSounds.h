#pragma once

#include "ui/common/SoundFileChooser.h"

namespace zorvex {

class BassPlaySet;
class PathTable;
class Prompts;

// The sound choosers of the mail and ping pages: stored paths relative to
// the data folder, the test on the page's own player, "Plik nie istnieje"
// under the page's caption.
SoundFileChooser::Callbacks soundCallbacks(QWidget* page, const PathTable& paths, BassPlaySet* players, int instance,
                                           const QString& caption, Prompts& prompts);

} // namespace zorvex
