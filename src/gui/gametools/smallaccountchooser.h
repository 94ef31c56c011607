#pragma once

#include <QStringList>
#include <QWidget>

namespace Ui { class SmallAccountChooser; }

// Asks which small accounts are to play: every account listed with a tick,
// all ticked at first. "进入" tells the ticked ones (none ticked: nothing is
// told); the dialog then stays to show how the entry goes until its owner
// closes it. Closing it is cancelling.
class SmallAccountChooser : public QWidget
{
    Q_OBJECT
public:
    SmallAccountChooser(const QStringList &userNames, QWidget *parent);
    ~SmallAccountChooser() override;

    QStringList chosen() const;
    // The choice is made: the text says how far the entry has come.
    void showProgress(const QString &text);

signals:
    void signalChosen(const QStringList &userNames);

private:
    void confirm();

    Ui::SmallAccountChooser *ui;
};
