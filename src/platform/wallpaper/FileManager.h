#pragma once

#include <QString>

#include <functional>

namespace zorvex {

// Opens the desktop's file manager at the file's folder with the file
// selected (org.freedesktop.FileManager1.ShowItems); where no file manager
// answers, `fallback` runs (it opens the folder). Returns at once.
void showInFileManager(const QString& file, std::function<void()> fallback);

// Moves a file into the desktop's trash; false when it stays.
bool moveToTrash(const QString& file);

} // namespace zorvex
