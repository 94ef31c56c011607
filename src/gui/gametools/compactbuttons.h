#pragma once

#include <QHash>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QString>

class QPushButton;
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
    // What a button showed with its words, given back when the bar widens.
    struct Saved {
        // Gone, its address may come back as another button's.
        QPointer<QPushButton> button;
        QString text;
        int width = 0;
        bool tipFromText = false;
    };

    void apply(bool compacting);
    void compact(QPushButton *button);
    void expand(QPushButton *button) const;

    QWidget *m_bar;
    int m_fullWidth = 0;
    bool m_compact = false;
    QMargins m_margins;
    int m_spacing = 0;
    QHash<QPushButton *, Saved> m_saved;
};
