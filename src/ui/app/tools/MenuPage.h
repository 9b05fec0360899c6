#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zorvex {

struct Settings;

// Tools page Vuzuvured -> "Menu": the user's part of the context menu, built
// from the tree of all pages (TreePage) into the ordered list (ListMenu),
// and the static entries "Klony" and "Ikony pulpitu".
class MenuPage : public QWidget {
    Q_OBJECT
public:
    explicit MenuPage(Settings& settings, QWidget* parent = nullptr);

    void load();
    // Page codes of the list, in menu order.
    std::vector<int> menuCodes() const;

    // The colour of the selected list entry.
    static QColor selectionColour();

signals:
    // The list or the static entries changed: the context menu is rebuilt.
    void menuListChanged();
    void miscMenuEditorRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTree();
    void addEntry(int code);
    void addSelected();
    void removeSelected();
    void moveSelected(int step);
    void updateAddEnabled();
    bool listHas(int code) const;
    // Writes M1..M43 from the list and announces the change.
    void commit();

    Settings& m_settings;
    QTreeWidget* m_tree;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_remove;
    QToolButton* m_up;
    QToolButton* m_down;
    QCheckBox* m_clones;
    QCheckBox* m_desktopIcons;
    bool m_loading = false;
};

} // namespace zorvex
