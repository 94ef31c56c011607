#include "web/pagekeymap.h"

const QList<PageKeyMap::Entry> &PageKeyMap::table()
{
    using A = Action;
    // Zooming in answers Ctrl+= too: on most layouts "+" is Shift+"=", and
    // people press the key without Shift.
    static const QList<Entry> entries = {
        {QKeySequence(Qt::Key_F5), A::Reload},
        {QKeySequence(Qt::CTRL | Qt::Key_R), A::Reload},
        {QKeySequence(Qt::CTRL | Qt::Key_F), A::Find},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), A::ZoomIn},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus), A::ZoomIn},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), A::ZoomIn},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), A::ZoomOut},
        {QKeySequence(Qt::CTRL | Qt::Key_0), A::ZoomReset},
        {QKeySequence(Qt::Key_F11), A::FullScreen},
        {QKeySequence(Qt::CTRL | Qt::Key_W), A::CloseTab},
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), A::NextTab},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), A::PreviousTab},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), A::PreviousTab},
    };
    return entries;
}

PageKeyMap::Action PageKeyMap::action(const QKeySequence &keys)
{
    for (const Entry &entry : table()) {
        if (entry.keys == keys)
            return entry.action;
    }
    return Action::None;
}
