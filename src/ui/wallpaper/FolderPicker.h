#pragma once

#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace zorvex {

// "Wybierz folder z tapetami" (TForm22): a folder tree showing hidden
// folders, the chosen folder with the count of its pictures, "Dodaj katalog
// do listy" for a real folder and "Anuluj". Widgets: "tree", "path", "add",
// "cancel".
class FolderPicker : public QDialog {
    Q_OBJECT
public:
    explicit FolderPicker(QWidget* parent = nullptr);

    // Starts at `folder` when it exists, else at the home folder.
    void start(const QString& folder);
    // The chosen folder with a trailing "/", after "Dodaj katalog do listy".
    QString chosen() const { return m_chosen; }
    // The current selection, as the tree shows it.
    void select(const QString& folder);

private:
    void selectionChanged();

    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QLineEdit* m_path;
    QPushButton* m_add;
    QString m_chosen;
};

} // namespace zorvex
