#include "gametools/compactbuttons.h"

#include <QEvent>
#include <QLayout>
#include <QPushButton>
#include <QVariant>

namespace {
constexpr int kCompactWidth = 32;
constexpr int kCompactSpacing = 2;
constexpr int kCompactIndent = 4;
const char *const kFullText = "fullText";
const char *const kFullWidth = "fullWidth";
const char *const kTipFromText = "tipFromText";

void compact(QPushButton *button)
{
    button->setProperty(kFullWidth, QVariant(button->minimumWidth()));
    if (!button->text().isEmpty()) {
        button->setProperty(kFullText, QVariant(button->text()));
        if (button->toolTip().isEmpty()) {
            button->setToolTip(button->text());
            button->setProperty(kTipFromText, true);
        }
        button->setText(QString());
    }
    button->setFixedWidth(kCompactWidth);
}

void expand(QPushButton *button)
{
    const QVariant text = button->property(kFullText);
    if (text.isValid())
        button->setText(text.toString());
    if (button->property(kTipFromText).toBool())
        button->setToolTip(QString());
    const QVariant width = button->property(kFullWidth);
    if (width.isValid())
        button->setFixedWidth(width.toInt());
    for (const char *name : {kFullText, kFullWidth, kTipFromText})
        button->setProperty(name, QVariant());
}
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
}
