#pragma once

#include <QStringList>
#include <QWidget>

namespace Ui { class SmallAccountChooser; }

// Asks which small accounts are to play: every account listed with a tick,
// all ticked at first. "进入" tells the ticked ones (none ticked: nothing is
// told and the dialog stays); closing the dialog tells nothing.
class SmallAccountChooser : public QWidget
{
    Q_OBJECT
public:
    SmallAccountChooser(const QStringList &userNames, QWidget *parent);
    ~SmallAccountChooser() override;

    QStringList chosen() const;

signals:
    void signalChosen(const QStringList &userNames);

private:
    void confirm();

    Ui::SmallAccountChooser *ui;
};
