#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class ProcessSampler;
class QTimer;
class ResourceForm;
class Settings;
class TabWidget;
class QWidget;

// What each tab costs: the memory and processor share of its render
// processes, read off the GUI thread, shown in the tab tool tips and in the
// resource window; and the freezing of ordinary web pages left in the
// background (game tabs keep running), woken when their tab is shown again.
class TabResources : public QObject
{
    Q_OBJECT
public:
    struct Row {
        QString title;
        QString account;
        QList<qint64> pids;
        qint64 pssKiB = -1;
        double cpuPercent = -1;
    };

    TabResources(TabWidget *tabs, Settings *settings);

    bool enabled() const;
    ProcessSampler *sampler() const { return m_sampler; }
    // Every tab with its figures as last sampled.
    QList<Row> rows() const;
    // Asks for fresh figures of every tab; the sampler says when they are in.
    void sampleAll();
    // The tab's tool tip: its page title, the account that plays in it, its memory.
    QString toolTipFor(int index) const;
    // How long an ordinary web page stays in the background before it freezes.
    void setFreezeAfter(int ms) { m_freezeAfterMs = ms; }

public slots:
    void showWindow();
    void reloadTab(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString accountOf(int index) const;
    Row rowFor(int index) const;
    void showToolTip(int index, const QPoint &globalPos);
    void handleCurrentChanged(int index);
    QTimer *freezeTimer(QWidget *container);

    TabWidget *m_tabs;
    Settings *m_settings;
    ProcessSampler *m_sampler;
    QPointer<ResourceForm> m_form;
    QPointer<QWidget> m_current;
    int m_tipIndex = -1;
    int m_freezeAfterMs = 10 * 60 * 1000;
};
