#pragma once
// Answers the message boxes that open on this thread while it lives, and
// records what each showed. Modal loops are driven this way, never by sleeping.

#include <windows.h>

#include <string>
#include <vector>

enum class BoxIcon { None, Exclamation, Error, Information, Question, Other };

struct ShownBox {
    std::wstring caption;
    std::wstring text;
    BoxIcon icon = BoxIcon::None;
};

// What a message box (of this or another process) shows.
ShownBox ReadBox(HWND box);

class DialogWatcher {
public:
    // button: the command each box is answered with (IDOK, IDCANCEL, ...).
    explicit DialogWatcher(int button = IDOK);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    const std::vector<ShownBox>& Boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    int button_;
    HHOOK hook_;
    DialogWatcher* previous_;
    std::vector<ShownBox> boxes_;
    std::vector<HWND> answered_;
};
