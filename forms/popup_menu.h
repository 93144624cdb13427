#pragma once
// A menu of a form that only ever pops up, never sits in a menu bar. Its
// entries are numbered from 0 in the order given; "-" is a separator.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Form;

class PopupMenu {
public:
    PopupMenu(std::wstring name, std::vector<std::wstring> captions);

    const std::wstring& Name() const { return name_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const std::wstring& Caption(int index) const { return entries_.at(static_cast<size_t>(index)).caption; }
    bool Enabled(int index) const { return entries_.at(static_cast<size_t>(index)).enabled; }
    void SetEnabled(int index, bool enabled) { entries_.at(static_cast<size_t>(index)).enabled = enabled; }

    // Shows the menu with its top-left corner at a point of the form's
    // client area (pixels); either mouse button chooses. Returns once the
    // menu has closed, after the Click of the chosen entry has run.
    void Popup(Form& form, int x, int y);

    std::function<void(int index)> OnClick;

private:
    struct Entry {
        std::wstring caption;
        bool enabled = true;
    };
    std::wstring name_;
    std::vector<Entry> entries_;
};
