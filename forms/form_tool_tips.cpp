// A form's tool-tips: one tool-tip window per form, owned by the form's
// window, with a tool for each control that has a tip.

#include "forms/form.h"

#include <commctrl.h>

#include "base/deferred_imports.h"
#include "forms/control.h"

namespace {

// The widest a control's tool-tip grows before it wraps, in designed pixels.
constexpr int kToolTipWidth = 400;

}  // namespace

void Form::UpdateToolTip(const Control& control)
{
    if (!window_ || !control.window_ || !toolTipsShown_)
        return;
    if (!toolTip_) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
        comctl32::InitCommonControlsEx(&init);
        // Owned by the form, so it goes with the form's window.
        toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (!toolTip_)
            return;
        SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, Scaled(kToolTipWidth));
    }
    std::wstring text = control.design_.toolTip;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control.window_);
    tool.uId = reinterpret_cast<UINT_PTR>(control.window_);
    tool.lpszText = text.data();
    if (SendMessageW(toolTip_, TTM_GETTOOLCOUNT, 0, 0) > 0) {
        TOOLINFOW known = tool;
        known.lpszText = nullptr;
        if (SendMessageW(toolTip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known))) {
            SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
            return;
        }
    }
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::ShowToolTips()
{
    if (toolTipsShown_)
        return;
    toolTipsShown_ = true;
    for (const Control* control : controls_) {
        if (!control->design_.toolTip.empty())
            UpdateToolTip(*control);
    }
}

void Form::ScaleToolTips()
{
    if (toolTip_)
        SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, Scaled(kToolTipWidth));
}
