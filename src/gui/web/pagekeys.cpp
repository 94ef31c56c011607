#include "web/pagekeys.h"

#include "app/settings.h"

#include "web/findbar.h"
#include "web/pagezoom.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QWebEngineView>

namespace {
const char followedProperty[] = "korvoZoomFollowed";

QString hostOf(const QWebEngineView *view)
{
    return view->url().authority();
}

// The views of a tab, the tab itself when it is one.
QList<QWebEngineView *> viewsOf(QWidget *tab)
{
    QList<QWebEngineView *> views = tab->findChildren<QWebEngineView *>();
    if (auto *view = qobject_cast<QWebEngineView *>(tab))
        views.prepend(view);
    return views;
}
}

PageKeys::PageKeys(QWidget *window, QTabWidget *tabs, Settings *settings)
    : QObject(window)
    , m_window(window)
    , m_tabs(tabs)
    , m_settings(settings)
{
    for (const PageKeyMap::Entry &entry : PageKeyMap::table()) {
        auto *shortcut = new QShortcut(entry.keys, window);
        const PageKeyMap::Action action = entry.action;
        connect(shortcut, &QShortcut::activated, this, [this, action] { trigger(action); });
    }
    connect(tabs, &QTabWidget::currentChanged, this, &PageKeys::followCurrentTab);
    qApp->installEventFilter(this);
}

bool PageKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers held = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const int modifiers = int(key->modifiers() & held);
    if (PageKeyMap::action(QKeySequence(key->key() | modifiers)) == PageKeyMap::Action::None)
        return false;
    event->ignore();
    return true;
}

void PageKeys::trigger(PageKeyMap::Action action)
{
    using A = PageKeyMap::Action;
    QWebEngineView *view = currentView();
    switch (action) {
    case A::Reload:
        if (view)
            view->reload();
        break;
    case A::Find:
        if (view)
            FindBar::open(view);
        break;
    case A::ZoomIn:
    case A::ZoomOut:
    case A::ZoomReset:
        zoom(action == A::ZoomIn ? 1 : action == A::ZoomOut ? -1 : 0);
        break;
    case A::FullScreen:
        toggleFullScreen();
        break;
    case A::CloseTab:
        closeTab();
        break;
    case A::NextTab:
    case A::PreviousTab:
        switchTab(action == A::NextTab ? 1 : -1);
        break;
    case A::None:
        break;
    }
}

QWebEngineView *PageKeys::currentView() const
{
    QWidget *tab = m_tabs->currentWidget();
    if (!tab)
        return nullptr;
    for (QWidget *focus = QApplication::focusWidget(); focus; focus = focus->parentWidget()) {
        auto *view = qobject_cast<QWebEngineView *>(focus);
        if (view && (view == tab || tab->isAncestorOf(view)))
            return view;
    }
    QWebEngineView *largest = nullptr;
    int largestArea = 0;
    for (QWebEngineView *view : viewsOf(tab)) {
        const int area = view->width() * view->height();
        if (view->isVisible() && area > largestArea) {
            largest = view;
            largestArea = area;
        }
    }
    return largest;
}

void PageKeys::zoom(int direction)
{
    QWebEngineView *view = currentView();
    if (!view)
        return;
    const double factor = direction == 0 ? 1.0 : PageZoom::step(view->zoomFactor(), direction);
    view->setZoomFactor(factor);
    PageZoom::store(m_settings, hostOf(view), factor);
}

void PageKeys::toggleFullScreen()
{
    if (m_window->isFullScreen()) {
        if (m_wasMaximized)
            m_window->showMaximized();
        else
            m_window->showNormal();
        return;
    }
    m_wasMaximized = m_window->isMaximized();
    m_window->showFullScreen();
}

void PageKeys::switchTab(int offset)
{
    const int count = m_tabs->count();
    if (count < 2)
        return;
    const int index = (m_tabs->currentIndex() + offset + count) % count;
    // As a click on the tab would: the tab container restores the tab's account on it.
    emit m_tabs->tabBar()->tabBarClicked(index);
    m_tabs->setCurrentIndex(index);
}

void PageKeys::closeTab()
{
    const int index = m_tabs->currentIndex();
    if (index > 0)
        emit m_tabs->tabCloseRequested(index);
}

void PageKeys::followCurrentTab()
{
    QWidget *tab = m_tabs->currentWidget();
    if (!tab)
        return;
    for (QWebEngineView *view : viewsOf(tab)) {
        if (view->property(followedProperty).toBool())
            continue;
        view->setProperty(followedProperty, true);
        connect(view, &QWebEngineView::loadFinished, this, [this, view] { applyStoredZoom(view); });
        applyStoredZoom(view);
    }
}

void PageKeys::applyStoredZoom(QWebEngineView *view)
{
    const double factor = PageZoom::stored(m_settings, hostOf(view));
    if (!qFuzzyCompare(view->zoomFactor(), factor))
        view->setZoomFactor(factor);
}
