#include "shell/windowcloser.h"

#include "app/settings.h"
#include "dialogs/closesettingform.h"
#include "shell/closerule.h"
#include "shell/trayicon.h"

#include <QWidget>

WindowCloser::WindowCloser(QWidget *window, Settings *settings, TrayIcon *tray)
    : QObject(window)
    , m_window(window)
    , m_settings(settings)
    , m_tray(tray)
{
}

void WindowCloser::closeWindow()
{
    switch (CloseRule::decide(m_settings->value(QStringLiteral("common/exittype")), TrayIcon::available())) {
    case CloseRule::Action::Ask:
        closeSettingForm()->show();
        break;
    case CloseRule::Action::Quit:
        emit signalQuit();
        break;
    case CloseRule::Action::Minimize:
        m_window->showMinimized();
        break;
    case CloseRule::Action::HideToTray:
        // The application does not quit on its last window, so this only hides to the tray.
        m_tray->announceHidden();
        m_window->close();
        break;
    }
}

CloseSettingForm *WindowCloser::closeSettingForm()
{
    if (!m_form) {
        m_form = new CloseSettingForm(m_settings, m_window);
        connect(m_form, &CloseSettingForm::signalHideToTray, m_window, &QWidget::close);
        connect(m_form, &CloseSettingForm::signalQuit, this, &WindowCloser::signalQuit);
    }
    return m_form;
}
