// A frameless window that moves and resizes like the main window and opens a
// dialog made the way every dialog of the client is made, for the Wayland
// tests: a Wayland client cannot tell where its windows are, so it reports on
// stdout what it can know (its size, who has the keyboard, whose dialog the
// dialog is) and the test reads the places off the screen.
#include "shell/framedragger.h"
#include "app/toolwindow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdio>

namespace {
void report(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

class ProbeFrame final : public QWidget
{
public:
    ProbeFrame()
        : m_dragger(this)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setMinimumSize(300, 200);
        resize(600, 400);
    }

    void openDialog()
    {
        auto *dialog = new QWidget(this);
        dialog->setObjectName(QStringLiteral("probeDialog"));
        ToolWindow::setup(dialog);
        dialog->setFixedSize(300, 160);
        auto *layout = new QVBoxLayout(dialog);
        auto *button = new QPushButton(QStringLiteral("OK"), dialog);
        button->setObjectName(QStringLiteral("probeDialogOk"));
        layout->addWidget(button);
        auto *field = new QLineEdit(dialog);
        field->setObjectName(QStringLiteral("probeDialogField"));
        layout->addWidget(field);
        dialog->show();
        QWindow *owner = dialog->windowHandle() ? dialog->windowHandle()->transientParent() : nullptr;
        report(QStringLiteral("transient %1").arg(owner == windowHandle() ? QStringLiteral("owner")
                                                                          : QStringLiteral("none")));
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), QColor(255, 0, 255)); }
    void resizeEvent(QResizeEvent *) override { report(QStringLiteral("size %1 %2").arg(width()).arg(height())); }
    void mousePressEvent(QMouseEvent *event) override { m_dragger.press(event); }
    void mouseMoveEvent(QMouseEvent *event) override { m_dragger.move(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { m_dragger.release(event); }

private:
    FrameDragger m_dragger;
};
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ProbeFrame frame;
    QObject::connect(&app, &QApplication::focusChanged, [](QWidget *, QWidget *now) {
        report(QStringLiteral("focus %1").arg(now ? now->objectName() : QString()));
    });
    // Commands come on stdin, one a line.
    QSocketNotifier input(fileno(stdin), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&frame, &input] {
        char line[64] = {};
        if (!std::fgets(line, sizeof line, stdin)) {
            input.setEnabled(false);
            QCoreApplication::quit();
        } else if (QByteArray(line).trimmed() == "dialog") {
            frame.openDialog();
        }
    });
    frame.show();
    report(QStringLiteral("platform %1").arg(QGuiApplication::platformName()));
    return app.exec();
}
