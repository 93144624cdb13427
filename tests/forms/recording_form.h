#pragma once
// A form that writes down every event it receives, one line each.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "forms/form.h"

class RecordingForm : public Form {
public:
    explicit RecordingForm(std::wstring name = L"frmProbe", ScaleMode scale = ScaleMode::Pixels,
                           int backColor = COLOR_BTNFACE)
        : Form(std::move(name), Design(scale, backColor))
    {
    }

    std::vector<std::string> events;
    bool cancelUnload = false;
    // Runs inside the double-click handler, while the form is handling it.
    std::function<void()> onDblClick;

    std::string Last() const { return events.empty() ? std::string() : events.back(); }

protected:
    void Form_Load() override { events.push_back("load"); }
    void Form_Unload(bool& cancel) override
    {
        events.push_back("unload");
        cancel = cancelUnload;
    }
    void Form_MouseDown(int button, int shift, float x, float y) override
    {
        Mouse("down", button, shift, x, y);
    }
    void Form_MouseMove(int button, int shift, float x, float y) override
    {
        Mouse("move", button, shift, x, y);
    }
    void Form_MouseUp(int button, int shift, float x, float y) override
    {
        Mouse("up", button, shift, x, y);
    }
    void Form_KeyDown(int keyCode, int shift) override { Key("keydown", keyCode, shift); }
    void Form_KeyUp(int keyCode, int shift) override { Key("keyup", keyCode, shift); }
    void Form_DblClick() override
    {
        events.push_back("dblclick");
        if (onDblClick)
            onDblClick();
    }
    void Form_Activate() override { events.push_back("activate"); }
    void Form_Deactivate() override { events.push_back("deactivate"); }

private:
    static FormDesign Design(ScaleMode scale, int backColor)
    {
        FormDesign design;
        design.caption = L"Probe";
        design.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        design.clientWidth = 40;
        design.clientHeight = 30;
        design.scaleMode = scale;
        design.backColor = backColor;
        return design;
    }
    void Mouse(const char* what, int button, int shift, float x, float y)
    {
        std::ostringstream line;
        line << what << ' ' << button << ' ' << shift << ' ' << x << ' ' << y;
        events.push_back(line.str());
    }
    void Key(const char* what, int keyCode, int shift)
    {
        std::ostringstream line;
        line << what << ' ' << keyCode << ' ' << shift;
        events.push_back(line.str());
    }
};
