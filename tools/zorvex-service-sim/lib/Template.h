#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace zorvex::sim {

// Fills "{NAME}" and "{NAME:argument}" in a sample file. `lookup` gets the
// name and the argument (empty without one); a placeholder it does not know
// (nullopt) stays as written, so braces in page scripts are left alone.
using TemplateLookup = std::function<std::optional<QString>(const QString& name, const QString& argument)>;

QString expandTemplate(const QString& text, const TemplateLookup& lookup);

// Percent-encodes every byte other than 0-9, A-Z, a-z of the text in
// ISO-8859-2, as the service's pages write texts into links.
QString urlEncodeIso(const QString& text);

} // namespace zorvex::sim
