#pragma once
// The extension chooser: the user picks a file extension, sees the verbs
// registered for it with the program each one runs, and picks one of them.
// It only reads the file-type registrations.

#include <string>

#include "forms/control.h"
#include "forms/form.h"

class cDlgExtension : public Form {
public:
    cDlgExtension();

    // Shows the chooser modally, owned by owner when there is one. True when
    // the user confirmed a verb; fileName then holds its program and is left
    // alone otherwise.
    bool ShowChoose(std::wstring& fileName, HWND owner = nullptr);

protected:
    void Form_Load() override;
    void Form_DpiChanged(const RECT& suggested) override;

private:
    void FitLabel();
    void FillVerbList(const std::wstring& extension);
    int TextWidth(const std::wstring& text);

    void cboExtension_Change();
    void cboExtension_Click();
    void lstCommands_Click();
    void lstCommands_DblClick();
    void cmdOk_Click();
    void cmdCancel_Click();

    Control Label1;
    Control cboExtension;
    Control lstCommands;
    Control cmdOk;
    Control cmdCancel;
    bool Confirmed = false;
    // How far the verb list scrolls sideways, in designed pixels.
    int listExtent_ = 0;
};
