#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace zorvex {

// The ID3v1 genre table with its Winamp extensions: 148 names, index 0
// ("Blues") to 147 ("Synthpop"). An ID3v1 genre byte is an index into it.
inline constexpr int kGenreCount = 148;
// The ID3v1 genre byte that means "no genre".
inline constexpr quint8 kNoGenre = 255;

const QStringList& genreNames();
// Empty for an index outside the table (255 among them).
QString genreName(int index);
// Index of the name matched exactly, or -1.
int genreIndex(QStringView name);

} // namespace zorvex
