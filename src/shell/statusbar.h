#pragma once

#include <QWidget>

namespace Ui { class StatusBar; }

// The footer of the main window with the publisher's notice.
class StatusBar : public QWidget
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget *parent = nullptr);
    ~StatusBar() override;

    // "Copyright © 2012-<year> ..." for the given year.
    static QString copyrightText(int currentYear);

private:
    Ui::StatusBar *ui;
};
