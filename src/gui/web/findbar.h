#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QWebEngineView;

// The small find bar over a page's top right corner: the text is searched as
// it is typed, Return goes to the next match, Shift+Return to the one before,
// Escape or the close button ends the search and hands the keys back to the page.
class FindBar : public QFrame
{
    Q_OBJECT
public:
    explicit FindBar(QWebEngineView *view);

    // The view's bar, made on first use, shown with its text selected.
    static FindBar *open(QWebEngineView *view);
    QLineEdit *field() const { return m_field; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(bool backward);
    void finish();
    void place();

    QWebEngineView *m_view;
    QLineEdit *m_field;
    QLabel *m_status;
};
