#include "web/pagecontextmenu.h"

#include "shell/browseraddress.h"
#include "web/systembrowser.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QWebEngineContextMenuData>
#include <QWebEngineView>

namespace {
void addEditActions(QMenu *menu, QWebEngineView *view, const QWebEngineContextMenuData &data)
{
    QPointer<QWebEngineView> target(view);
    auto pageAction = [target](QWebEnginePage::WebAction action) {
        return [target, action] {
            if (target)
                target->triggerPageAction(action);
        };
    };
    QAction *copy = menu->addAction(QStringLiteral("复制"), view, pageAction(QWebEnginePage::Copy));
    copy->setObjectName(QStringLiteral("pageCopyAction"));
    copy->setEnabled(!data.selectedText().isEmpty());
    QAction *paste = menu->addAction(QStringLiteral("粘贴"), view, pageAction(QWebEnginePage::Paste));
    paste->setObjectName(QStringLiteral("pagePasteAction"));
    paste->setEnabled(data.isContentEditable());
    QAction *all = menu->addAction(QStringLiteral("全选"), view, pageAction(QWebEnginePage::SelectAll));
    all->setObjectName(QStringLiteral("pageSelectAllAction"));
}

void addLinkActions(QMenu *menu, QWebEngineView *view, const QUrl &link)
{
    menu->addSeparator();
    QAction *copy = menu->addAction(QStringLiteral("复制链接地址"), view, [link] {
        QGuiApplication::clipboard()->setText(BrowserAddress::copyText(link));
    });
    copy->setObjectName(QStringLiteral("pageCopyLinkAction"));
    QPointer<QWebEngineView> owner(view);
    QAction *open = menu->addAction(QStringLiteral("在浏览器中打开链接"), view, [owner, link] {
        if (owner)
            SystemBrowser::open(owner->window(), link);
    });
    open->setObjectName(QStringLiteral("pageOpenLinkAction"));
    open->setEnabled(BrowserAddress::mayOpen(link));
}
}

QMenu *PageContextMenu::create(QWebEngineView *view)
{
    const QWebEngineContextMenuData data = view->page()->contextMenuData();
    auto *menu = new QMenu(view);
    menu->setObjectName(QStringLiteral("pageContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    addEditActions(menu, view, data);
    // The link comes from the page: it is only copied or handed to the browser rule.
    if (data.isValid() && data.linkUrl().isValid() && !data.linkUrl().isEmpty())
        addLinkActions(menu, view, data.linkUrl());
    return menu;
}

void PageContextMenu::popup(QWebEngineView *view, const QPoint &globalPos)
{
    create(view)->popup(globalPos);
}
