#pragma once

#include <QObject>
#include <QPointer>

class BossMute;
class QMenu;
class QWebEnginePage;
class QWidget;
class TabWidget;

// Sound follows the game in front: the game tab the player last brought to
// the front is heard, every other game is muted until it comes to the front
// again, unless its sound is pinned on ("始终播放声音" in its menu). What the
// player mutes with a toolbar's sound button is remembered per page and
// holds on top; while the boss key silences the window nothing is let play,
// and once it is back every page gets what the rule says for it then.
class SoundFocus : public QObject
{
    Q_OBJECT
public:
    SoundFocus(TabWidget *tabs, BossMute *bossMute);

    QWidget *focusedTab() const { return m_focused; }
    bool isPinned(const QWidget *tab) const;
    void setPinned(QWidget *tab, bool pinned);

public slots:
    void apply();
    void addMenuActions(QMenu *menu, QWidget *tab);

private:
    void follow(QWidget *tab);
    void applyTo(QWidget *tab);
    // A page's mute changed, and not by this object: the player's choice.
    void remember(QWebEnginePage *page, bool muted);
    bool isSilenced() const;

    TabWidget *m_tabs;
    QPointer<BossMute> m_bossMute;
    QPointer<QWidget> m_focused;
    bool m_applying = false;
};
