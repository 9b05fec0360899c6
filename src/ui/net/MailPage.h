#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zorvex {

class MailAccountDialog;
class MailService;
class SoundFileChooser;
struct MailSettings;
struct MailSoundSettings;

// The "Sprawdzanie poczty" page: the account list with its buttons, the
// check and its options. Options go straight into the settings.
class MailPage : public QWidget {
    Q_OBJECT
public:
    MailPage(MailService& service, MailSettings& settings, MailSoundSettings& sound, QWidget* parent = nullptr);

    // The list, the buttons and the group caption as they are now.
    void refresh();
    void setChecking(bool checking);
    void selectAccount(int index);
    QListWidget* accountList() const { return m_list; }
    // "Odtwórz dźwięk": the file and its "Testuj".
    SoundFileChooser* soundChooser() const { return m_sound; }
    // "Dodaj konto" / "Zmień konto" while open.
    MailAccountDialog* accountDialog() const;

private:
    void addAccount();
    void editAccount();
    void openAccountDialog(int row);
    void removeAccount();
    void move(int by);
    QCheckBox* option(const QString& caption, bool& value, const char* objectName);

    MailService& m_service;
    MailSettings& m_settings;
    QGroupBox* m_group = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_checkOne = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_remove = nullptr;
    SoundFileChooser* m_sound = nullptr;
    QPointer<QWidget> m_dialog;
};

} // namespace zorvex
