#include "dialogs/list_rules.h"

ItemButtonStates MenuButtonStates(int line, int count)
{
    const bool selected = line >= 0;
    return {true, selected, selected, line > 0, selected && line < count - 1};
}

int LineAfterRemoval(int line, int count)
{
    if (count <= 1)
        return -1;
    return line == count - 1 ? line - 1 : line;
}
