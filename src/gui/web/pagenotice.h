#pragma once

#include <QFrame>

class QLabel;

// A slim bar across the foot of a view or a tab that tells the user
// what the client did about a page (tabs it blocked, dialogs it stopped)
// without stopping anything: no box, no modality, a close button.
class PageNotice : public QFrame
{
    Q_OBJECT
public:
    // The host's notice, made on first use.
    static PageNotice *of(QWidget *host);

    // Shows the text in place of the last one.
    void say(const QString &text);
    // Empty once closed.
    QString text() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PageNotice(QWidget *host);
    void place();

    QLabel *m_text;
};
