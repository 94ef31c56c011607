#include "gametools/compactbuttons.h"

#include <QEvent>
#include <QLayout>
#include <QPushButton>

namespace {
constexpr int kCompactWidth = 32;
constexpr int kCompactSpacing = 2;
constexpr int kCompactIndent = 4;
}

CompactButtons::CompactButtons(QWidget *bar)
    : QObject(bar)
    , m_bar(bar)
{
    bar->installEventFilter(this);
}

bool CompactButtons::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar && event->type() == QEvent::Resize && m_bar->layout()) {
        // What the bar needs with its words, measured while it shows them.
        if (!m_compact)
            m_fullWidth = m_bar->layout()->minimumSize().width();
        const bool narrow = m_bar->width() < m_fullWidth;
        if (narrow != m_compact)
            apply(narrow);
    }
    return QObject::eventFilter(watched, event);
}

void CompactButtons::apply(bool compacting)
{
    m_compact = compacting;
    QLayout *layout = m_bar->layout();
    if (compacting) {
        m_margins = layout->contentsMargins();
        m_spacing = layout->spacing();
        layout->setContentsMargins(kCompactIndent, m_margins.top(), m_margins.right(), m_margins.bottom());
        layout->setSpacing(kCompactSpacing);
    } else {
        layout->setContentsMargins(m_margins);
        layout->setSpacing(m_spacing);
    }
    for (QPushButton *button : m_bar->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (compacting)
            compact(button);
        else
            expand(button);
    }
    if (!compacting)
        m_saved.clear();
}

void CompactButtons::compact(QPushButton *button)
{
    Saved &saved = m_saved[button];
    saved.button = button;
    saved.width = button->minimumWidth();
    saved.text = button->text();
    if (!saved.text.isEmpty() && button->toolTip().isEmpty()) {
        button->setToolTip(saved.text);
        saved.tipFromText = true;
    }
    button->setText(QString());
    button->setFixedWidth(kCompactWidth);
}

void CompactButtons::expand(QPushButton *button) const
{
    // A button that came after the bar went narrow has nothing to give back.
    const auto saved = m_saved.constFind(button);
    if (saved == m_saved.constEnd() || saved->button != button)
        return;
    button->setText(saved->text);
    if (saved->tipFromText)
        button->setToolTip(QString());
    button->setFixedWidth(saved->width);
}
