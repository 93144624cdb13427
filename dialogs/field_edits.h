#pragma once
// What the detail fields tell the page whose command they show, once they
// have written an edit into that command.

class FieldEdits {
public:
    // The command's caption changed: its label or list line follows.
    virtual void CaptionEdited() = 0;
    // The program or the working folder changed, and with them, perhaps,
    // whether the command holds anything.
    virtual void CommandEdited() = 0;

protected:
    ~FieldEdits() = default;
};
