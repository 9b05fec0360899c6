#pragma once

#include <QDialog>

class QListWidget;
class QPlainTextEdit;

namespace zorvex {

class Prompts;

class SettingsStore;
struct TraySettings;

// "Tray - informacje w podpowiedzi" (Form39): edits the tray hint pattern,
// one line per hint line, with the placeholders listed beside it. Closing
// stores the pattern in the model and writes it to the settings file at once.
class TrayHintEditor : public QDialog {
    Q_OBJECT
public:
    // `store` may be null (nothing is written then, the model still changes).
    TrayHintEditor(TraySettings& settings, const SettingsStore* store, Prompts& prompts, QWidget* parent = nullptr);

    QPlainTextEdit* memo() const { return m_memo; }

    // Closes the editor; the pattern is committed.
    void done(int result) override;

signals:
    void patternChanged(const QString& pattern);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void restoreDefault();
    void keepWithinLimit();
    void insertPlaceholder(const QString& text);
    void commit();

    TraySettings& m_settings;
    const SettingsStore* m_store;
    Prompts& m_prompts;
    QPlainTextEdit* m_memo = nullptr;
    QListWidget* m_placeholders = nullptr;
    int m_limit = 200;
    bool m_limiting = false;
};

} // namespace zorvex
