#include "ui/internet/WeatherMapsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zorvex {

namespace {
QString u(const char* s)
{
    return QString::fromUtf8(s);
}
} // namespace

MapView::MapView(QWidget* parent)
    : QScrollArea(parent)
    , m_label(new QLabel)
{
    setObjectName(QStringLiteral("MapView"));
    m_label->setObjectName(QStringLiteral("MapPicture"));
    m_label->setAlignment(Qt::AlignCenter);
    setAlignment(Qt::AlignCenter);
    setWidget(m_label);
    setWidgetResizable(false);
    // Presses on the picture drag the view.
    m_label->installEventFilter(this);
}

void MapView::setPicture(const QImage& picture)
{
    m_picture = picture;
    refresh();
}

void MapView::setFitted(bool fitted)
{
    m_fitted = fitted;
    refresh();
}

void MapView::refresh()
{
    if (m_picture.isNull()) {
        m_label->clear();
        m_label->resize(0, 0);
        return;
    }
    if (m_fitted) {
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const QSize room = viewport()->size() - QSize(3, 3);
        const QImage scaled = m_picture.scaled(room.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_label->setPixmap(QPixmap::fromImage(scaled));
        m_label->resize(scaled.size());
        return;
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_label->setPixmap(QPixmap::fromImage(m_picture));
    m_label->resize(m_picture.size());
}

void MapView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (m_fitted)
        refresh();
}

bool MapView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            mousePressEvent(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            mouseMoveEvent(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            mouseReleaseEvent(static_cast<QMouseEvent*>(event));
            return true;
        default:
            break;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void MapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_last = event->globalPosition().toPoint();
    }
}

void MapView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const QPoint now = event->globalPosition().toPoint();
    const QPoint delta = now - m_last;
    m_last = now;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
}

void MapView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}

WeatherMapsPage::WeatherMapsPage(QWidget* parent)
    : QWidget(parent)
    , m_maps(new QComboBox(this))
    , m_list(new QPushButton(u("Wybierz listę map"), this))
    , m_listMenu(new QMenu(this))
    , m_show(new QPushButton(u("Wyświetl"), this))
    , m_cancel(new QPushButton(u("Anuluj"), this))
    , m_add(new QPushButton(u("Dodaj link do listy"), this))
    , m_change(new QPushButton(u("Modyfikuj link"), this))
    , m_remove(new QPushButton(u("Usuń link z listy"), this))
    , m_fit(new QCheckBox(u("Dopasuj wielkość do okna"), this))
    , m_progress(new QProgressBar(this))
    , m_view(new MapView(this))
{
    setObjectName(QStringLiteral("WeatherMapsPage"));
    m_maps->setObjectName(QStringLiteral("ComboBox20"));
    m_list->setObjectName(QStringLiteral("MapListButton"));
    m_listMenu->setObjectName(QStringLiteral("MapListMenu"));
    m_show->setObjectName(QStringLiteral("ShowMapButton"));
    m_cancel->setObjectName(QStringLiteral("CancelMapButton"));
    m_add->setObjectName(QStringLiteral("AddMapButton"));
    m_change->setObjectName(QStringLiteral("ChangeMapButton"));
    m_remove->setObjectName(QStringLiteral("RemoveMapButton"));
    m_fit->setObjectName(QStringLiteral("FitMapBox"));
    m_progress->setObjectName(QStringLiteral("MapProgress"));
    m_standard = m_listMenu->addAction(u("Lista standardowa"));
    m_user = m_listMenu->addAction(u("Lista użytkownika"));
    m_list->setMenu(m_listMenu);
    m_progress->setTextVisible(false);

    auto* row = new QHBoxLayout;
    row->addWidget(m_maps);
    row->addWidget(m_add);
    row->addWidget(m_change);
    row->addWidget(m_remove);
    row->addWidget(m_list);
    row->addWidget(m_show);
    row->addWidget(m_cancel);
    row->addWidget(m_progress, 1);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_fit);
    layout->addWidget(m_view, 1);
    showUserControls(false);
    setDownloading(false);
}

void WeatherMapsPage::showUserControls(bool user)
{
    m_add->setVisible(user);
    m_change->setVisible(user);
    m_remove->setVisible(user);
    m_maps->setFixedWidth(user ? 275 : 348);
}

void WeatherMapsPage::setDownloading(bool downloading)
{
    for (QWidget* w : {static_cast<QWidget*>(m_maps), static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_show),
                       static_cast<QWidget*>(m_add), static_cast<QWidget*>(m_change), static_cast<QWidget*>(m_remove)})
        w->setEnabled(!downloading);
    m_cancel->setVisible(downloading);
    m_show->setVisible(!downloading);
    m_progress->setVisible(downloading);
    if (!downloading)
        m_progress->reset();
}

MapLinkDialog::MapLinkDialog(bool change, const QString& name, const QString& link, QWidget* parent)
    : QDialog(parent)
    , m_name(new QLineEdit(name, this))
    , m_link(new QLineEdit(link, this))
    , m_ok(new QPushButton(change ? u("Zmień") : QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("MapLinkDialog"));
    setWindowTitle(change ? u("Modyfikuj link") : u("Dodaj link do listy"));
    m_name->setObjectName(QStringLiteral("MapNameEdit"));
    m_link->setObjectName(QStringLiteral("MapLinkEdit"));
    m_ok->setObjectName(QStringLiteral("MapLinkOk"));
    auto* form = new QFormLayout;
    form->addRow(u("Nazwa mapki"), m_name);
    form->addRow(u("Link do pliku *.gif lub *.jpg"), m_link);
    auto* cancel = new QPushButton(u("Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    const auto update = [this] {
        m_ok->setEnabled(!m_name->text().isEmpty() && !m_link->text().isEmpty());
    };
    connect(m_name, &QLineEdit::textChanged, this, update);
    connect(m_link, &QLineEdit::textChanged, this, update);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    update();
}

QString MapLinkDialog::name() const
{
    return m_name->text().trimmed();
}

QString MapLinkDialog::link() const
{
    return m_link->text().trimmed();
}

} // namespace zorvex
