#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex::sim {

// The sample data: the compiled-in copy, or a folder given on the command
// line. Files are read for every request, so a test may change a list (and
// with it its stamp) while the simulator runs.
class SimData {
public:
    static QString builtIn();

    explicit SimData(const QString& root = builtIn());

    const QString& root() const { return m_root; }
    // `relative` uses "/" and must not climb out; nullopt when missing.
    std::optional<QByteArray> read(const QString& relative) const;
    // UTF-8 text with line ends made "\n".
    std::optional<QString> readText(const QString& relative) const;
    bool isFolder(const QString& relative) const;
    QString path(const QString& relative) const { return m_root + QLatin1Char('/') + relative; }

    // A name taken from a request: letters, digits, ".", "_" and "-", not
    // starting with "."; anything else is never looked up.
    static bool isPlainName(QStringView name);

private:
    QString m_root;
};

} // namespace zorvex::sim
