#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace zorvex {

class MailService;
struct MailSettings;

// "Poczta - Wiadomości e-mail": the headers the last check fetched, for all
// accounts or one, and the deletion of the selected messages on their
// servers. Message bodies are never fetched.
class MailMessagesWindow : public QWidget {
    Q_OBJECT
public:
    MailMessagesWindow(MailService& service, MailSettings& settings, QWidget* parent = nullptr);

    // RebuildMessageList: the account box, then the list.
    void rebuild();
    void setChecking(bool checking);
    QTreeWidget* list() const { return m_list; }
    // The selected rows as indices of the service's messages.
    QList<int> selectedMessages() const;
    // Asks, then deletes the selected messages.
    void deleteSelected();

protected:
    void closeEvent(class QCloseEvent* event) override;
    void keyPressEvent(class QKeyEvent* event) override;

private:
    void rebuildList();
    void updateDeleteButton();

    MailService& m_service;
    MailSettings& m_settings;
    QComboBox* m_accounts = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_delete = nullptr;
    bool m_firstRebuild = true;
};

} // namespace zorvex
