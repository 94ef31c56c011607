#pragma once

#include <QWidget>

namespace Ui { class AboutForm; }

// Product name, client version and the publisher's notice.
class AboutForm : public QWidget
{
    Q_OBJECT
public:
    explicit AboutForm(QWidget *parent = nullptr);
    ~AboutForm() override;

public slots:
    void CloseForm();

private:
    Ui::AboutForm *ui;
};
