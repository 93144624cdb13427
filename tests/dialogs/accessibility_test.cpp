// What a screen reader learns of the settings dialog, the extension chooser
// and the pad, asked as screen readers ask: AccessibleObjectFromWindow on
// each window. Wine's accessibility layer gives the system's names (a text
// box is named by the label before it in window order) and hands on the
// objects the program answers with.

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/com_ptr.h"
#include "base/interface_text.h"
#include "dialogs/dlg_extension.h"
#include "tests/dialogs/settings_dialog_fixture.h"

namespace {

struct Account {
    std::wstring name;
    std::wstring description;
    long role = 0;
    long state = 0;
};

VARIANT ChildId(long id)
{
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Text(BSTR text)
{
    std::wstring out = text ? text : L"";
    SysFreeString(text);
    return out;
}

ComPtr<IAccessible> ObjectOf(HWND window)
{
    ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), object.put_void())))
        object.reset();
    return object;
}

Account AccountOf(IAccessible& object, long child = CHILDID_SELF)
{
    Account account;
    BSTR text = nullptr;
    object.get_accName(ChildId(child), &text);
    account.name = Text(text);
    text = nullptr;
    object.get_accDescription(ChildId(child), &text);
    account.description = Text(text);
    VARIANT value{};
    if (SUCCEEDED(object.get_accRole(ChildId(child), &value)) && value.vt == VT_I4)
        account.role = value.lVal;
    value = VARIANT{};
    if (SUCCEEDED(object.get_accState(ChildId(child), &value)) && value.vt == VT_I4)
        account.state = value.lVal;
    return account;
}

Account AccountOf(HWND window)
{
    const ComPtr<IAccessible> object = ObjectOf(window);
    if (object)
        return AccountOf(*object.get());
    Account none;
    none.name = L"<no object>";
    return none;
}

bool Selected(const Account& account) { return (account.state & STATE_SYSTEM_SELECTED) != 0; }

// A caption as it is read: the labels here mark access keys with one "&".
std::wstring Read(std::wstring caption)
{
    std::erase(caption, L'&');
    return caption;
}

BOOL CALLBACK Collect(HWND child, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

// The shown controls of a window that a user can move the focus to: all
// but labels, frames and the containers that are no tab stop.
std::vector<HWND> FocusableControls(HWND form)
{
    std::vector<HWND> all;
    EnumChildWindows(form, Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> focusable;
    for (HWND child : all) {
        const std::wstring kind = ClassOf(child);
        const bool tabStop = (GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0;
        if (IsWindowVisible(child) && !WindowNameOf(child).empty() && kind != L"Static" &&
            kind != L"STATIC" && (kind != L"KorvaneContainer" || tabStop))
            focusable.push_back(child);
    }
    return focusable;
}

// What is wrong with the names of a window's controls: the focusable ones
// without a name, and the fields not named by their own label.
std::vector<std::wstring> NameFaults(HWND form,
                                     const std::vector<std::pair<std::wstring, std::wstring>>& labels)
{
    std::vector<std::wstring> faults;
    for (HWND control : FocusableControls(form)) {
        if (AccountOf(control).name.empty())
            faults.push_back(WindowNameOf(control) + L" has no name");
    }
    for (const auto& [field, label] : labels) {
        const HWND window = ChildNamed(form, field);
        if (!window || !IsWindowVisible(window))
            continue;
        const HWND labelWindow = ChildNamed(form, label);
        // Where the system looks for a field's label.
        if (GetParent(labelWindow) == GetParent(window) &&
            GetWindow(window, GW_HWNDPREV) != labelWindow)
            faults.push_back(label + L" is not right before " + field + L" in window order");
        const std::wstring name = AccountOf(window).name;
        const std::wstring expected = Read(TextOf(labelWindow));
        if (name != expected)
            faults.push_back(field + L" reads \"" + name + L"\", not \"" + expected + L"\"");
    }
    return faults;
}

// The events the program raises for screen readers, as an assistive program
// outside it hears them.
struct HeardEvent {
    DWORD event;
    HWND window;
    LONG child;
    bool operator==(const HeardEvent&) const = default;
};
std::vector<HeardEvent> heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT)
        heard.push_back({event, window, child});
}

class Listener {
public:
    Listener()
        : hook_(SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Hear,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT))
    {
        heard.clear();
    }
    ~Listener() { UnhookWinEvent(hook_); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    static bool Heard(DWORD event, HWND window, LONG child = CHILDID_SELF)
    {
        return std::find(heard.begin(), heard.end(), HeardEvent{event, window, child}) !=
               heard.end();
    }

private:
    HWINEVENTHOOK hook_;
};

const std::vector<std::pair<std::wstring, std::wstring>> kDialogLabels = {
    {L"txtCommand", L"lblAccess(0)"}, {L"txtWorkDir", L"lblAccess(1)"},
    {L"txtCaption", L"lblAccess(2)"}, {L"cboWindowState", L"lblAccess(3)"},
    {L"HotKeyWnd", L"lblHotKey"},     {L"cboLanguage", L"lblLanguage"},
};

class AccessibilityTest : public SettingsDialogTest {};

}  // namespace

TEST_F(AccessibilityTest, EveryPageAndTheChooserTellWhatEachControlIs)
{
    StartPadWith([](cSettings& settings) { BindProbe(*settings.Drags().Item(1), L"エクスプローラー"); });
    const Account padAccount = AccountOf(pad->Handle());
    EXPECT_EQ(padAccount.name, L"Korvane");
    EXPECT_FALSE(padAccount.description.empty());

    std::vector<std::wstring> faults;
    std::vector<std::vector<Account>> tabs;
    std::vector<Account> figure;
    const auto walk = [&](int page) {
        for (const std::wstring& fault : NameFaults(Dialog(), kDialogLabels))
            faults.push_back(L"page " + std::to_wstring(page) + L": " + fault);
        std::vector<Account> strip;
        for (int i = 0; i < cDlgSettings::kPageCount; ++i) {
            const std::wstring index = L"(" + std::to_wstring(i) + L")";
            Account tab = AccountOf(Item(L"picTab" + index));
            if (tab.name != Read(TextOf(Item(L"lblTab" + index))))
                faults.push_back(L"tab " + index + L" reads \"" + tab.name + L"\"");
            strip.push_back(tab);
        }
        tabs.push_back(strip);
    };
    RunDialog({
        [&] {
            walk(0);
            const ComPtr<IAccessible> object = ObjectOf(Item(L"picDrag"));
            LONG count = 0;
            if (object && SUCCEEDED(object->get_accChildCount(&count)))
                for (long child = 0; child <= count; ++child)
                    figure.push_back(AccountOf(*object.get(), child));
            Click(L"picTab(1)");
        },
        [&] {
            walk(1);
            Click(L"picTab(2)");
        },
        [&] {
            walk(2);
            Click(L"picTab(3)");
        },
        [&] {
            walk(3);
            Click(L"cmdCancel");
        },
    });
    EXPECT_EQ(faults, std::vector<std::wstring>{});
    ASSERT_EQ(tabs.size(), 4u);
    for (size_t page = 0; page < tabs.size(); ++page) {
        for (size_t i = 0; i < tabs[page].size(); ++i) {
            EXPECT_EQ(tabs[page][i].role, ROLE_SYSTEM_PAGETAB) << "tab " << i;
            EXPECT_EQ(Selected(tabs[page][i]), i == page) << "tab " << i << " on page " << page;
        }
    }
    // The figure: a list of the eight directions, the selected one first.
    ASSERT_EQ(figure.size(), 9u);
    EXPECT_EQ(figure[0].role, ROLE_SYSTEM_LIST);
    EXPECT_EQ(figure[0].name, L"方向");
    EXPECT_EQ(figure[1].name, L"上: エクスプローラー");
    EXPECT_EQ(figure[2].name, L"右上: 未設定");
    for (size_t direction = 1; direction < figure.size(); ++direction) {
        EXPECT_EQ(figure[direction].role, ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(Selected(figure[direction]), direction == 1) << "direction " << direction;
        EXPECT_TRUE(figure[direction].name.starts_with(UiText(IDS_DIRECTION_UP + direction - 1) + L": "))
            << "direction " << direction;
    }

    cDlgExtension chooser;
    std::wstring chosen;
    ModalScript script({[&] {
                           const HWND form = FindNamedWindow(L"cDlgExtension");
                           faults = NameFaults(form, {{L"cboExtension", L"Label1"}});
                           // With the focus in the combo box a screen reader
                           // reads the window that holds it: its edit box.
                           SetFocus(ChildNamed(form, L"cboExtension"));
                           const std::wstring read = AccountOf(GetFocus()).name;
                           if (read != Read(TextOf(ChildNamed(form, L"Label1"))))
                               faults.push_back(L"the focused cboExtension reads \"" + read +
                                                L"\"");
                           PostClick(ChildNamed(form, L"cmdCancel"));
                       }},
                       [] { SendMessageW(FindNamedWindow(L"cDlgExtension"), WM_CLOSE, 0, 0); });
    chooser.ShowChoose(chosen);
    EXPECT_EQ(faults, std::vector<std::wstring>{});
}

// A screen reader follows the page tabs and the figure by their selection
// and focus events, and the status window by its text's.
TEST_F(AccessibilityTest, ChangesOfPageDirectionAndStatusAreHeard)
{
    StartPad();
    const Listener listener;
    bool tabHeard = false;
    bool directionFocusHeard = false;
    bool directionHeard = false;
    bool clickHeard = false;
    RunDialog({
        [&] {
            SetFocus(Item(L"picDrag"));
            PostKey(Item(L"picDrag"), VK_RIGHT);
        },
        [&] {
            PumpFor(50);
            directionHeard = Listener::Heard(EVENT_OBJECT_SELECTION, Item(L"picDrag"), 2);
            directionFocusHeard = Listener::Heard(EVENT_OBJECT_FOCUS, Item(L"picDrag"), 2);
            // The lower left arrow's shaft.
            PostClick(Item(L"picDrag"), 34, 58);
        },
        [&] {
            PumpFor(50);
            clickHeard = Listener::Heard(EVENT_OBJECT_SELECTION, Item(L"picDrag"), 6);
            SetFocus(Item(L"picTab(0)"));
            PostKey(Item(L"picTab(0)"), VK_RIGHT);
        },
        [&] {
            PumpFor(50);
            tabHeard = Listener::Heard(EVENT_OBJECT_SELECTION, Item(L"picTab(1)"));
            Click(L"cmdCancel");
        },
    });
    EXPECT_TRUE(directionHeard);
    EXPECT_TRUE(directionFocusHeard);
    EXPECT_TRUE(clickHeard);
    EXPECT_TRUE(tabHeard);

    Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 16, 16);
    Mouse(WM_MOUSEMOVE, MK_RBUTTON, 40, 16);
    PumpFor(50);
    const HWND status = pad->StatusWindow.lblInfo();
    EXPECT_TRUE(Listener::Heard(EVENT_OBJECT_NAMECHANGE, status));
    EXPECT_FALSE(TextOf(status).empty());
    EXPECT_EQ(AccountOf(status).name, TextOf(status));
    Mouse(WM_RBUTTONUP, 0, 16, 16);
}
