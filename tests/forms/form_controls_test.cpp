#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/form.h"
#include "forms/window_name.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_query.h"

namespace {

FormDesign Design()
{
    FormDesign design;
    design.caption = L"Controls";
    design.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    design.clientWidth = 320;
    design.clientHeight = 240;
    design.scaleMode = ScaleMode::Pixels;
    design.keyPreview = true;
    return design;
}

// A form with one control of most kinds, which writes down its events.
class ControlsForm : public Form {
public:
    ControlsForm() : Form(L"frmControls", Design())
    {
        for (Control* control : {&optA, &optB, &chkFlag, &cmdOk, &cmdCancel, &cmdOther, &lstItems})
            control->OnClick = [this, control] { events.push_back(Name(*control) + " click"); };
        txtName.OnChange = [this] { events.push_back("txtName change"); };
        txtName.OnValidate = [this](bool& cancel) {
            events.push_back("txtName validate");
            cancel = txtName.Text() == L"bad";
        };
        picBox.OnKeyDown = [this](int key, int) {
            events.push_back("picBox key " + std::to_string(key));
        };
    }

    static std::string Name(const Control& control)
    {
        return std::string(control.Name().begin(), control.Name().end());
    }

    std::vector<std::string> events;
    std::vector<int> previewed;
    bool swallowF2 = true;

    Control fraGroup{*this, L"fraGroup", ControlDesign(ControlKind::Frame, 8, 8, 150, 70, L"グループ")};
    Control optA{*this, L"optA", ControlDesign(ControlKind::OptionButton, 8, 18, 120, 18, L"エー(&A)", L"Aを選びます"), &fraGroup};
    Control optB{*this, L"optB", ControlDesign(ControlKind::OptionButton, 8, 40, 120, 18, L"ビー(&B)"), &fraGroup};
    Control txtName{*this, L"txtName", ControlDesign(ControlKind::TextBox, 170, 10, 140, 20, L"good")};
    Control chkFlag{*this, L"chkFlag", ControlDesign(ControlKind::CheckBox, 170, 40, 140, 18, L"旗(&F)")};
    Control lblHidden{*this, L"lblHidden", ControlDesign(ControlKind::Label, 8, 90, 100, 12, L"label")};
    Control lstItems{*this, L"lstItems", ControlDesign(ControlKind::ListBox, 8, 110, 150, 80)};
    Control picBox{*this, L"picBox", ControlDesign(ControlKind::PictureBox, 170, 110, 40, 40).NoTabStop()};
    Control cmdOther{*this, L"cmdOther", ControlDesign(ControlKind::CommandButton, 10, 210, 70, 21, L"Other").Disabled()};
    Control cmdOk{*this, L"cmdOk", ControlDesign(ControlKind::CommandButton, 150, 210, 70, 21, L"OK", L"閉じます").Default()};
    Control cmdCancel{*this, L"cmdCancel", ControlDesign(ControlKind::CommandButton, 230, 210, 70, 21, L"Cancel").Cancel()};

protected:
    bool Form_KeyPreview(int keyCode, int) override
    {
        previewed.push_back(keyCode);
        return swallowF2 && keyCode == VK_F2;
    }
};

// A frame whose controls are made only when asked, as a tabbed form's page
// is when first shown, between controls made with the form.
class LaterForm : public Form {
public:
    LaterForm() : Form(L"frmLater", Design()) {}

    Control txtFirst{*this, L"txtFirst", ControlDesign(ControlKind::TextBox, 8, 8, 100, 20)};
    Control fraPage{*this, L"fraPage", ControlDesign(ControlKind::Frame, 8, 40, 200, 120).ContentsLater()};
    Control fraInner{*this, L"fraInner", ControlDesign(ControlKind::Frame, 8, 8, 180, 90), &fraPage};
    Control optA{*this, L"optA", ControlDesign(ControlKind::OptionButton, 8, 18, 120, 18, L"A"), &fraInner};
    Control optB{*this, L"optB", ControlDesign(ControlKind::OptionButton, 8, 40, 120, 18, L"B"), &fraInner};
    Control txtLast{*this, L"txtLast", ControlDesign(ControlKind::TextBox, 8, 170, 100, 20)};
};

// Shows the form modally while the steps run; a form still open long after
// the last step fails the test and is hidden.
void RunModal(Form& form, std::vector<std::function<void()>> steps)
{
    ModalScript script(std::move(steps), [&form] {
        ADD_FAILURE() << "the modal loop did not end";
        form.Hide();
    });
    form.ShowModal();
}

}  // namespace

TEST(FormControls, ControlsAreNamedChildWindowsOfTheirContainersInDeclaredOrder)
{
    ControlsForm form;
    form.Load();
    const HWND window = form.hWnd();
    const HWND frame = ChildNamed(window, L"fraGroup");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(GetParent(ChildNamed(window, L"optA")), frame);
    EXPECT_EQ(GetParent(ChildNamed(window, L"txtName")), window);
    EXPECT_EQ(ClassOf(ChildNamed(window, L"txtName")), L"Edit");
    EXPECT_EQ(ClassOf(ChildNamed(window, L"lstItems")), L"ListBox");
    EXPECT_EQ(form.chkFlag.Text(), L"旗(&F)");
    EXPECT_EQ(form.txtName.Text(), L"good");
    EXPECT_FALSE(IsWindowEnabled(form.cmdOther.hWnd()));

    // Position within the container, and moves keep to it.
    RECT bounds = form.optB.Bounds();
    EXPECT_EQ(bounds.left, 8);
    EXPECT_EQ(bounds.top, 40);
    form.optB.Move(10, 44, 100, 18);
    bounds = form.optB.Bounds();
    EXPECT_EQ(bounds.top, 44);
    EXPECT_EQ(bounds.right - bounds.left, 100);

    EXPECT_EQ(ToolTipOf(window, form.optA.hWnd()), L"Aを選びます");
    EXPECT_EQ(ToolTipOf(window, form.cmdOk.hWnd()), L"閉じます");
    form.cmdOk.SetToolTipText(L"保存して閉じます");
    EXPECT_EQ(ToolTipOf(window, form.cmdOk.hWnd()), L"保存して閉じます");

    // The windows and their names go with the form; a second load makes them anew.
    const HWND text = form.txtName.hWnd();
    form.Unload();
    EXPECT_FALSE(IsWindow(text));
    EXPECT_EQ(form.txtName.hWnd(), nullptr);
    form.Load();
    EXPECT_TRUE(IsWindow(form.txtName.hWnd()));
    EXPECT_EQ(WindowNameOf(form.txtName.hWnd()), L"txtName");
}

TEST(FormControls, ContentsMadeLaterTakeTheirDeclaredPlacesOncePerLoad)
{
    LaterForm form;
    form.Show();
    EXPECT_NE(form.fraPage.hWnd(), nullptr);
    EXPECT_EQ(form.fraInner.hWnd(), nullptr);
    EXPECT_EQ(form.optA.hWnd(), nullptr);
    // Nothing there yet for the tab key.
    form.txtFirst.SetFocus();
    SendMessageW(form.hWnd(), WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(form.ActiveControl(), &form.txtLast);

    form.fraPage.CreateContents();
    const HWND option = form.optA.hWnd();
    EXPECT_EQ(GetParent(option), form.fraInner.hWnd());
    EXPECT_EQ(GetParent(form.fraInner.hWnd()), form.fraPage.hWnd());
    // Numbered and grouped as if made with the form: one group of two.
    EXPECT_EQ(GetDlgCtrlID(form.optB.hWnd()) + 1, GetDlgCtrlID(form.txtLast.hWnd()));
    EXPECT_NE(GetWindowLongPtrW(option, GWL_STYLE) & WS_GROUP, 0);
    EXPECT_EQ(GetWindowLongPtrW(form.optB.hWnd(), GWL_STYLE) & WS_GROUP, 0);
    form.txtFirst.SetFocus();
    SendMessageW(form.hWnd(), WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(form.ActiveControl(), &form.optA);
    form.fraPage.CreateContents();
    EXPECT_EQ(form.optA.hWnd(), option);

    // A new load waits to be asked again.
    form.Unload();
    form.Load();
    EXPECT_NE(form.fraPage.hWnd(), nullptr);
    EXPECT_EQ(form.optA.hWnd(), nullptr);
    EXPECT_FALSE(form.fraPage.ContentsCreated());
}

TEST(FormControls, ValuesSetByCodeFireTheEventsAUserWouldCause)
{
    ControlsForm form;
    form.Load();

    // Options of one container exclude each other; clearing one by code is silent.
    form.optA.SetValue(1);
    form.optB.SetValue(1);
    EXPECT_EQ(form.optA.Value(), 0);
    EXPECT_EQ(form.optB.Value(), 1);
    form.optB.SetValue(0);
    form.optB.SetValue(0);
    EXPECT_EQ(form.events, (std::vector<std::string>{"optA click", "optB click"}));
    // Only the selected option of a group is a tab stop.
    form.optA.SetValue(1);
    EXPECT_TRUE(form.optA.TabStop());
    EXPECT_FALSE(form.optB.TabStop());

    form.events.clear();
    form.chkFlag.SetValue(1);
    form.chkFlag.SetValue(1);
    form.chkFlag.SetValue(0);
    EXPECT_EQ(form.events, (std::vector<std::string>{"chkFlag click", "chkFlag click"}));

    // Text changes report only a different text.
    form.events.clear();
    form.txtName.SetText(L"good");
    form.txtName.SetText(L"other");
    EXPECT_EQ(form.events, (std::vector<std::string>{"txtName change"}));

    form.events.clear();
    form.lstItems.AddItem(L"one");
    form.lstItems.AddItem(L"three");
    form.lstItems.AddItem(L"two", 1);
    EXPECT_EQ(form.lstItems.ListCount(), 3);
    EXPECT_EQ(form.lstItems.List(1), L"two");
    form.lstItems.SetListIndex(2);
    EXPECT_EQ(form.lstItems.ListIndex(), 2);
    form.lstItems.RemoveItem(0);
    EXPECT_EQ(form.lstItems.List(0), L"two");
    EXPECT_EQ(form.events, (std::vector<std::string>{"lstItems click"}));

    // A user's click on an option button selects it the same way.
    form.events.clear();
    SendMessageW(form.optB.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.optB.Value(), 1);
    EXPECT_EQ(form.optA.Value(), 0);
    EXPECT_EQ(form.events, (std::vector<std::string>{"optB click"}));
}

TEST(FormControls, TheKeyboardWalksTheTabOrderAndPressesDefaultAndCancelButtons)
{
    ControlsForm form;
    std::vector<std::wstring> focused;
    const auto noteFocus = [&] {
        Control* active = form.ActiveControl();
        focused.push_back(active ? active->Name() : L"-");
    };
    const auto tab = [&] {
        noteFocus();
        PostKey(GetFocus(), VK_TAB);
    };
    RunModal(form, {
        [&] {
            form.optA.SetValue(1);
            // The z-order does not change the tab order.
            SetWindowPos(form.txtName.hWnd(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            form.optA.SetFocus();
            tab();
        },
        // Into the text box, its text selected so that typing replaces it;
        // the label, the picture box without tab stop and the disabled
        // button are passed over.
        [&] {
            DWORD from = 1, to = 0;
            SendMessageW(form.txtName.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                         reinterpret_cast<LPARAM>(&to));
            EXPECT_EQ(from, 0u);
            EXPECT_EQ(to, 4u);
            tab();
        },
        tab,
        tab,
        [&] {
            noteFocus();
            // Enter on a button that has the focus presses that button.
            PostKey(GetFocus(), VK_RETURN);
        },
        [&] {
            form.txtName.SetFocus();
            // Enter elsewhere presses the default button.
            PostKey(GetFocus(), VK_RETURN);
        },
        [&] {
            // Esc presses the cancel button, which ends the loop here.
            form.cmdCancel.OnClick = [&] {
                form.events.push_back("cmdCancel click");
                form.Hide();
            };
            PostKey(GetFocus(), VK_ESCAPE);
        },
    });
    EXPECT_EQ(focused, (std::vector<std::wstring>{L"optA", L"txtName", L"chkFlag", L"lstItems",
                                                   L"cmdOk"}));
    // Leaving the text box asks it to validate.
    EXPECT_EQ(form.events, (std::vector<std::string>{"optA click", "txtName validate",
                                                     "cmdOk click", "cmdOk click",
                                                     "cmdCancel click"}));
}

TEST(FormControls, ValidationKeepsTheFocusUntilTheControlAcceptsItsValue)
{
    ControlsForm form;
    std::vector<std::wstring> focused;
    const auto noteFocus = [&] {
        Control* active = form.ActiveControl();
        focused.push_back(active ? active->Name() : L"-");
    };
    RunModal(form, {
        [&] {
            form.txtName.SetFocus();
            form.txtName.SetText(L"bad");
            PostKey(GetFocus(), VK_TAB);
        },
        [&] {
            noteFocus();
            // Neither may a click on another control take the focus away,
            // nor does the click reach that control.
            PostClick(form.cmdOk.hWnd());
        },
        [&] {
            noteFocus();
            EXPECT_FALSE(form.ValidateActiveControl());
            form.txtName.SetText(L"fine");
            PostClick(form.chkFlag.hWnd());
        },
        [&] {
            noteFocus();
            EXPECT_EQ(form.chkFlag.Value(), 1);
            // A control without validation lets the focus go freely.
            EXPECT_TRUE(form.ValidateActiveControl());
            form.Hide();
        },
    });
    EXPECT_EQ(focused, (std::vector<std::wstring>{L"txtName", L"txtName", L"chkFlag"}));
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "txtName validate"), 4);
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "cmdOk click"), 0);
    EXPECT_EQ(std::count(form.events.begin(), form.events.end(), "chkFlag click"), 1);
}

TEST(FormControls, AModalFormDisablesTheOtherWindowsAndSeesKeysFirst)
{
    ControlsForm owner;
    owner.Show();
    ControlsForm form;
    bool ownerEnabledMeanwhile = true;
    RunModal(form, {
        [&] {
            ownerEnabledMeanwhile = IsWindowEnabled(owner.hWnd()) != 0;
            form.picBox.SetFocus();
            PostKey(GetFocus(), VK_F2);
            PostKey(GetFocus(), VK_LEFT);
        },
        [&] { form.Hide(); },
    });
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    // The form saw both keys first and swallowed F2; the picture box, which
    // wants arrow keys, got the other one.
    EXPECT_EQ(form.previewed, (std::vector<int>{VK_F2, VK_LEFT}));
    EXPECT_EQ(form.events, (std::vector<std::string>{"picBox key 37"}));

    // A quit request during the modal loop ends it and stays for the outer loop.
    ControlsForm second;
    RunModal(second, {[] { PostQuitMessage(3); }});
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}
