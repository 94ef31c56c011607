#pragma once

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>

// What tests of windows share; header-only, since the support library links no widgets.
namespace WindowChecks {

// The text of the notice box that opened last over the window, closed after reading.
inline QString takeNotice(QWidget *window)
{
    QMessageBox *box = nullptr;
    const bool opened = QTest::qWaitFor([&] {
        for (QMessageBox *open : window->findChildren<QMessageBox *>()) {
            if (open->isVisible())
                box = open;
        }
        return box != nullptr;
    }, 10000);
    if (!opened)
        return QString();
    const QString text = box->text();
    box->buttons().first()->click();
    return text;
}

// Under KORVO_SHOT_DIR, what the screen shows, for a person to look at.
inline void shot(const QString &name)
{
    const QString dir = qEnvironmentVariable("KORVO_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QTest::qWait(800);
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                 dir + QLatin1Char('/') + name + QStringLiteral(".png")});
}

}
