#include "web/findbar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWebEngineView>

FindBar::FindBar(QWebEngineView *view)
    : QFrame(view)
    , m_view(view)
    , m_field(new QLineEdit(this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("pageFindBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_field->setObjectName(QStringLiteral("pageFindField"));
    m_field->setPlaceholderText(QStringLiteral("在页面中查找"));
    m_field->setMinimumWidth(180);
    m_status->setObjectName(QStringLiteral("pageFindStatus"));
    auto *close = new QPushButton(QStringLiteral("×"), this);
    close->setObjectName(QStringLiteral("pageFindClose"));
    close->setFlat(true);
    close->setFixedWidth(24);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 4, 4);
    layout->addWidget(m_field);
    layout->addWidget(m_status);
    layout->addWidget(close);
    connect(m_field, &QLineEdit::textChanged, this, [this] { find(false); });
    connect(close, &QPushButton::clicked, this, &FindBar::finish);
    m_field->installEventFilter(this);
    view->installEventFilter(this);
}

FindBar *FindBar::open(QWebEngineView *view)
{
    auto *bar = view->findChild<FindBar *>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar)
        bar = new FindBar(view);
    bar->place();
    bar->show();
    bar->raise();
    bar->m_field->setFocus(Qt::ShortcutFocusReason);
    bar->m_field->selectAll();
    return bar;
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        place();
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            finish();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void FindBar::find(bool backward)
{
    const QString text = m_field->text();
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    // The answer comes later; the bar may be gone by then.
    QPointer<FindBar> self(this);
    m_view->findText(text, flags, [self, text](bool found) {
        if (self)
            self->m_status->setText(found || text.isEmpty() ? QString() : QStringLiteral("无结果"));
    });
}

void FindBar::finish()
{
    m_view->findText(QString());
    hide();
    m_view->setFocus(Qt::OtherFocusReason);
}

void FindBar::place()
{
    adjustSize();
    move(qMax(0, m_view->width() - width() - 16), 8);
}
