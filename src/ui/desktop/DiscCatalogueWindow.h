#pragma once

#include "core/desktop/DiscCatalogue.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace zorvex {

class Prompts;

struct DiscCatalogueSettings;

// "Klony" (`TForm5`): the catalogue of disc images above the settings area
// (the program that mounts, the folders searched). Shows what the service
// gives it and tells the service what the user asks for.
class DiscCatalogueWindow : public QWidget {
    Q_OBJECT
public:
    DiscCatalogueWindow(DiscCatalogueSettings& settings, Prompts& prompts, QWidget* parent = nullptr);

    void setRows(const QList<DiscRow>& rows, int lastMounted);
    void setFolders(const QStringList& folders, int selected);
    void setProgram(const QString& program);
    int currentRow() const;
    void selectRow(int row);
    int selectedFolder() const;
    // Stored bounds, or centred; the settings area as it was left.
    void placeAndShow();

    static constexpr int kSettingsAreaHeight = 103;

signals:
    void mountRequested(int row);
    void programChosen(const QString& program);
    void folderAdded(const QString& folder);
    void folderRemoved(int index);
    void folderSelected(int index);
    void searchRequested(const QStringList& folders);
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setSettingsShown(bool shown, bool resize);
    void updateButtons();
    void chooseProgram();
    void addFolder();
    void removeFolder();

    DiscCatalogueSettings& m_settings;
    Prompts& m_prompts;
    QList<DiscRow> m_rows;
    QStringList m_folders;
    QListWidget* m_list = nullptr;
    QWidget* m_settingsArea = nullptr;
    QToolButton* m_settingsToggle = nullptr;
    QLineEdit* m_program = nullptr;
    QListWidget* m_folderList = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_searchOne = nullptr;
    QPushButton* m_searchAll = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_mount = nullptr;
};

// "Szukanie obrazów płyt" (`TForm4`): the folder being searched, refreshed
// every 100 ms, and "Anuluj".
class DiscSearchWindow : public QWidget {
    Q_OBJECT
public:
    explicit DiscSearchWindow(QWidget* parent = nullptr);
    void setFolder(const QString& folder);

signals:
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_folder = nullptr;
};

} // namespace zorvex
