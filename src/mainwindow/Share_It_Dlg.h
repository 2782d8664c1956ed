#pragma once
// The share window: asks the user to tell others about badgeloom and offers the ways to do it.
// Its buttons open the very pages the main window's share, get-it-free and social commands
// open (the addresses of Help_Support.h); OK closes it.
//
// One window per application: the main window makes it at set-up and opens it from Help.

#include <QDialog>

class Share_It_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit Share_It_Dlg(QWidget *parent = nullptr);
    ~Share_It_Dlg() override;
    static Share_It_Dlg *defaultInstance();

    // Runs the window modally through the UI services; its code, 1 after OK.
    int Open_Wnd();

public slots:
    void OK_Clicked() { done(1); }
    void Share_It_Button_Clicked();
    void Get_It_Free_Button_Clicked();
    void Facebook_Clicked();
    void Twitter_Clicked();
    void FB_Like_Clicked();
};
