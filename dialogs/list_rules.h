#pragma once
// Which item buttons a list page enables, and which menu entry is selected
// after one is removed. No Windows dependency: also built natively and
// checked with sanitizers.

// Which item buttons can be pressed.
struct ItemButtonStates {
    bool add;
    bool remove;
    bool copy;
    bool leftUp;
    bool rightDown;

    friend bool operator==(const ItemButtonStates&, const ItemButtonStates&) = default;
};

// The menu's line of count lines (-1: none selected): Add always, Remove and
// Copy with a line selected, and the moves one line at a time, never past the
// ends.
ItemButtonStates MenuButtonStates(int line, int count);

// The line selected once line of count lines is removed: the entry that
// takes its place, the one above when it was the last, none when no entry is
// left.
int LineAfterRemoval(int line, int count);
