#pragma once

namespace zorvex {

class Prompts;

class MainWindow;
class PlaybackPanel;
class ToolsWindow;

// Controls whose features have not arrived yet answer with the same notice
// ("Ta funkcja nie jest jeszcze dostępna."), so no click goes unanswered.
// A feature that arrives takes its control out of here.
void connectPendingFeatures(MainWindow* main, ToolsWindow* tools, Prompts& prompts);

} // namespace zorvex
