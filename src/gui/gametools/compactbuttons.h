#pragma once

#include <QMargins>
#include <QObject>

class QWidget;

// A bar narrower than its buttons with their words (a pane of the split view)
// shows their icons alone, the words in their tool tips, and gives up its
// indent; wide enough again, it shows the words as before.
class CompactButtons : public QObject
{
    Q_OBJECT
public:
    explicit CompactButtons(QWidget *bar);

    bool isCompact() const { return m_compact; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply(bool compact);

    QWidget *m_bar;
    int m_fullWidth = 0;
    bool m_compact = false;
    QMargins m_margins;
    int m_spacing = 0;
};
