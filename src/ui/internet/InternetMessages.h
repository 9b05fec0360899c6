#pragma once

#include <QString>

class QMessageBox;

namespace zorvex {

class InterfaceProbe;
class Prompts;

inline constexpr char kNoInternetText[] = "Brak połączenia z internetem.";

// The common message after a failed request: a window that waits for
// nobody, as requests end from the event loop.
QMessageBox* ShowServerProblem(Prompts& prompts, const QString& detail = QString());
QString serverProblemText(const QString& detail);

// The check before every request to `targetUrl`: an interface other than
// loopback up, or the target on this machine. When asked, a negative answer
// says "Brak połączenia z internetem." in a window that waits for nobody.
bool InternetAvailable(Prompts& prompts, const InterfaceProbe& probe, const QString& targetUrl, bool showMessage);

} // namespace zorvex
