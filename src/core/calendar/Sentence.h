#pragma once

#include <QString>

namespace zorvex {

// Puts the closing quote into a sentence of the day; the caller writes the
// opening one in front. A sentence that starts with a quote carries its own
// closing one, so only that first quote goes. Otherwise the closing quote
// goes at the end, or, when the sentence ends with an author in parentheses
// ("Text. (Author)"), after the text in front of them. Doubled quotes are
// then made single. Sentences of one character or none stay as they are.
QString quoteSentence(const QString& sentence);

// The sentence as shown: opening quote + quoteSentence(). A day without a
// sentence shows nothing rather than a lone quote.
QString displayedSentence(const QString& sentence);

} // namespace zorvex
