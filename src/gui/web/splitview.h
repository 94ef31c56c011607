#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QGridLayout;
class QLabel;
class QTabWidget;

// Two to four game tabs shown at once, as one tab of the strip. A game tab
// that joins leaves the strip and keeps its container (toolbar, page,
// account, profile) in a pane under a title strip of its own; the pane the
// player last clicked in is the active one, the tab every toolbar, bridge and
// side-bar action means. A tab that leaves goes back to the strip behind the
// split; once the last has left, the split closes.
class SplitView : public QWidget
{
    Q_OBJECT
public:
    explicit SplitView(QTabWidget *strip);

    // Takes a game tab of the strip into a pane; puts the split into the strip
    // where that tab was, the first time, and brings it to the front. False
    // for anything that may not join (not a game, a full split).
    bool add(QWidget *tab);
    // The pane's tab back into the strip, behind the split.
    void putBack(QWidget *tab);
    // Every pane back into the strip; the split leaves it and goes.
    void putAllBack();

    QList<QWidget *> panes() const;
    QWidget *activePane() const { return m_active; }
    void setActivePane(QWidget *tab);
    bool contains(const QWidget *tab) const;
    // The pane's title strip shows what its tab would; false for no pane.
    bool setTitle(QWidget *tab, const QString &text, const QString &toolTip);
    QString toolTipOf(const QWidget *tab) const;

    // Every tab of the strip in order, the split's panes in its place.
    static QList<QWidget *> tabsOf(const QTabWidget *strip, const SplitView *split);
    // What a tab of the strip or a pane is named, whole: its tool tip, else its text.
    static QString titleOf(const QTabWidget *strip, const SplitView *split, QWidget *tab);
    static void showTitle(QTabWidget *strip, SplitView *split, QWidget *tab, const QString &text,
                          const QString &toolTip);

signals:
    // The player clicked in a pane (or it joined): it is the current tab now.
    void signalPaneActivated(QWidget *tab);
    // A tab went back to the strip (and the split, once empty, left it).
    void signalTabsReturned();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Pane
    {
        QWidget *frame = nullptr;
        QLabel *title = nullptr;
        // What the strip showed, shortened; the title strip shows the whole title.
        QString stripText;
        QPointer<QWidget> tab;
    };

    Pane makePane(QWidget *tab, const QString &text, const QString &toolTip);
    int paneIndex(const QWidget *tab) const;
    static void showPaneTitle(Pane &pane, const QString &text, const QString &toolTip);
    // Above the panes, clear of the window's badge: what to do, and the way out.
    QWidget *makeHeader();
    void relayout();
    void showActive();
    void updateStripText();

    QTabWidget *m_strip;
    QGridLayout *m_grid;
    QList<Pane> m_panes;
    QPointer<QWidget> m_active;
};
