#pragma once
// What the item buttons do to the list of the page they serve, and to its
// selected command.

#include <string>

class ListActions {
public:
    virtual void AddItem() = 0;
    virtual void RemoveItem() = 0;
    virtual void CopyItem() = 0;
    // toUp: left (counter-clockwise) or up; else right or down.
    virtual void MoveItem(bool toUp) = 0;
    // Runs the selected command as it is, unsaved, from the screen point.
    virtual void TestRunItem(int x, int y) = 0;
    // A shortcut file into the selected command, or says that it is none.
    virtual void LoadShortcut(const std::wstring& file) = 0;
    // The selected command as a shortcut file; false when it was not written.
    virtual bool SaveShortcut(const std::wstring& file) = 0;

protected:
    ~ListActions() = default;
};
