#pragma once

namespace zorvex {

class BrowserFactory;

// The embedded browser's plugin, loaded on the first call; null when it is
// not installed (the program was built without Qt WebEngine, or the
// package is missing), and then pages open in the user's browser. The
// plugin is looked for in $ZORVEX_PLUGIN_PATH, in "plugins" beside the
// program, and in the installed library folder.
BrowserFactory* loadBrowserFactory();

} // namespace zorvex
