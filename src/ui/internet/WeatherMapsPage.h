#pragma once

#include <QDialog>
#include <QImage>
#include <QScrollArea>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;


namespace zorvex {

// The map picture: centred while it is smaller than the view, otherwise at
// full size in a view the left button drags; fitted, a copy scaled to the
// view less 3 pixels, without scroll bars.
class MapView : public QScrollArea {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    void setFitted(bool fitted);
    bool fitted() const { return m_fitted; }
    QLabel* label() const { return m_label; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();

    QLabel* m_label;
    QImage m_picture;
    bool m_fitted = false;
    bool m_dragging = false;
    QPoint m_last;
};

// The page "Internet" → "Pogoda" → "Mapy".
class WeatherMapsPage : public QWidget {
    Q_OBJECT
public:
    explicit WeatherMapsPage(QWidget* parent = nullptr);

    // The list's buttons and the box's width follow the list shown.
    void showUserControls(bool user);
    // While a map downloads only "Anuluj" and the progress bar are there.
    void setDownloading(bool downloading);

    QComboBox* mapBox() const { return m_maps; }           // ComboBox20
    QPushButton* listButton() const { return m_list; }     // "Wybierz listę map"
    QMenu* listMenu() const { return m_listMenu; }
    QAction* standardAction() const { return m_standard; } // "Lista standardowa"
    QAction* userAction() const { return m_user; }         // "Lista użytkownika"
    QPushButton* showButton() const { return m_show; }     // "Wyświetl"
    QPushButton* cancelButton() const { return m_cancel; } // "Anuluj"
    QPushButton* addButton() const { return m_add; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* removeButton() const { return m_remove; }
    QCheckBox* fitBox() const { return m_fit; }
    QProgressBar* progress() const { return m_progress; }
    MapView* view() const { return m_view; }

private:
    QComboBox* m_maps;
    QPushButton* m_list;
    QMenu* m_listMenu;
    QAction* m_standard;
    QAction* m_user;
    QPushButton* m_show;
    QPushButton* m_cancel;
    QPushButton* m_add;
    QPushButton* m_change;
    QPushButton* m_remove;
    QCheckBox* m_fit;
    QProgressBar* m_progress;
    MapView* m_view;
};

// "Dodaj link do listy" / "Modyfikuj link": OK only with both fields filled.
class MapLinkDialog : public QDialog {
    Q_OBJECT
public:
    MapLinkDialog(bool change, const QString& name, const QString& link, QWidget* parent = nullptr);
    QString name() const;
    QString link() const;
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* linkEdit() const { return m_link; }
    QPushButton* okButton() const { return m_ok; }

private:
    QLineEdit* m_name;
    QLineEdit* m_link;
    QPushButton* m_ok;
};

} // namespace zorvex
