#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace zorvex {

inline constexpr char kErrorCaption[] = "Zorvex - Błąd";

// "Ta funkcja nie jest jeszcze dostępna.": what every control says whose
// feature has not arrived yet.
inline constexpr char kNotAvailableYet[] = "Ta funkcja nie jest jeszcze dostępna.";

// The one way the program asks the user something or tells them what went
// wrong. Given to every service and page that needs it, so a run without a
// screen answers by itself and a test reads what the user would have seen.
// Every message is also written as one line to stderr, so logs and scripts
// see what the user was told.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Boxes that wait for the user: call them only from a user's action,
    // never from a timer, a channel or a network handler.
    virtual void error(const QString& text, QWidget* parent = nullptr) = 0;
    virtual void warning(const QString& caption, const QString& text, QWidget* parent = nullptr) = 0;
    virtual void information(const QString& caption, const QString& text, QWidget* parent = nullptr) = 0;
    virtual bool askYesNo(const QString& caption, const QString& text, QWidget* parent = nullptr,
                          bool topMost = false) = 0;

    // Messages that wait for nobody: a window of their own, brought to the
    // front, freed when closed. Safe from any handler. Null when no window
    // is shown.
    virtual QMessageBox* window(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                bool topMost = true) = 0;
    // A question that does not wait either: `answered` gets the choice once
    // the user makes it (No when the box is closed otherwise, or at once
    // when no window is shown).
    virtual QMessageBox* askLater(const QString& caption, const QString& text, bool topMost,
                                  std::function<void(bool yes)> answered) = 0;
    // The notice of a feature not built yet: one window, shown again on
    // each use.
    virtual QMessageBox* notAvailableYet() = 0;

    QMessageBox* errorWindow(const QString& text)
    {
        return window(QMessageBox::Critical, QString::fromUtf8(kErrorCaption), text, false);
    }
};

// Real message boxes and windows.
class BoxPrompts : public Prompts {
public:
    void error(const QString& text, QWidget* parent = nullptr) override;
    void warning(const QString& caption, const QString& text, QWidget* parent = nullptr) override;
    void information(const QString& caption, const QString& text, QWidget* parent = nullptr) override;
    bool askYesNo(const QString& caption, const QString& text, QWidget* parent = nullptr,
                  bool topMost = false) override;
    QMessageBox* window(QMessageBox::Icon icon, const QString& caption, const QString& text,
                        bool topMost = true) override;
    QMessageBox* askLater(const QString& caption, const QString& text, bool topMost,
                          std::function<void(bool yes)> answered) override;
    QMessageBox* notAvailableYet() override;

private:
    QPointer<QMessageBox> m_notice;
};

// Nobody can answer a box without a screen (headless picture runs): the
// texts go to stderr only and every question is answered No.
class QuietPrompts : public Prompts {
public:
    void error(const QString& text, QWidget* parent = nullptr) override;
    void warning(const QString& caption, const QString& text, QWidget* parent = nullptr) override;
    void information(const QString& caption, const QString& text, QWidget* parent = nullptr) override;
    bool askYesNo(const QString& caption, const QString& text, QWidget* parent = nullptr,
                  bool topMost = false) override;
    QMessageBox* window(QMessageBox::Icon icon, const QString& caption, const QString& text,
                        bool topMost = true) override;
    QMessageBox* askLater(const QString& caption, const QString& text, bool topMost,
                          std::function<void(bool yes)> answered) override;
    QMessageBox* notAvailableYet() override;
};

// One line on stderr, as every message writes it.
void logMessage(const QString& caption, const QString& text);

} // namespace zorvex
