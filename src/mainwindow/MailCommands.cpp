// The window's Mail command: the mail window gets a snapshot of both sides and their data, so
// the run renders rows away from the open design.

#include "mainwindow/ControllerHub.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "output/mail/MailWindows.h"

#include "core/Globals.h"

void SKTWindowController::Mail_Button()
{
    if (!m_mail)
        m_mail = new Send_Mail(this);
    if (m_mail->running())
        return;
    m_mail->Open_Wnd(Prepare_Print_Export_Mail(), CARD_SIDE_STR == QLatin1String("2"),
                     Start_Card_Option == QLatin1String("V"));
}

void ControllerHub::Mail_Button() { m_controller.Mail_Button(); }
