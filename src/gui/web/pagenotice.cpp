#include "web/pagenotice.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kHeight = 32;
}

PageNotice *PageNotice::of(QWidget *host)
{
    if (auto *notice = host->findChild<PageNotice *>(QString(), Qt::FindDirectChildrenOnly))
        return notice;
    return new PageNotice(host);
}

PageNotice::PageNotice(QWidget *host)
    : QFrame(host)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("pageNotice"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#pageNotice{background:#fff7e0;border-top:1px solid #e8d9a8;}"
                                 "#pageNoticeText{color:#5a4a1a;}"));
    m_text->setObjectName(QStringLiteral("pageNoticeText"));
    auto *close = new QPushButton(QStringLiteral("×"), this);
    close->setObjectName(QStringLiteral("pageNoticeClose"));
    close->setFlat(true);
    close->setCursor(Qt::PointingHandCursor);
    close->setFixedSize(24, 24);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 0, 4, 0);
    row->addWidget(m_text, 1);
    row->addWidget(close);
    host->installEventFilter(this);
    hide();
}

void PageNotice::say(const QString &text)
{
    m_text->setText(text);
    place();
    show();
    raise();
}

QString PageNotice::text() const
{
    return isHidden() ? QString() : m_text->text();
}

void PageNotice::place()
{
    // At the foot, where it hides neither the tabs nor a toolbar.
    setGeometry(0, parentWidget()->height() - kHeight, parentWidget()->width(), kHeight);
}

bool PageNotice::eventFilter(QObject *watched, QEvent *event)
{
    // The engine adds a new drawing surface for each render process; the bar stays on top.
    if (watched == parentWidget() && isVisible()) {
        if (event->type() == QEvent::Resize)
            place();
        else if (event->type() == QEvent::ChildAdded)
            raise();
    }
    return QFrame::eventFilter(watched, event);
}
