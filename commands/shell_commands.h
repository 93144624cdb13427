#pragma once
// An ordered list of command slots of one kind: the drag directions, the
// keys or the popup-menu entries.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "commands/compiled_menu.h"
#include "commands/shell_command.h"
#include "objlib/persist.h"

class ShellCommands : public objlib::IPersist {
public:
    // A list of the kind's defaults (see Clear).
    explicit ShellCommands(CommandListKind kind);
    ShellCommands(const ShellCommands&) = delete;
    ShellCommands& operator=(const ShellCommands&) = delete;

    // The command in the slot itself; callers edit it in place. An index
    // outside the list raises NumberedError 381.
    std::shared_ptr<ShellCommand> Item(std::int32_t index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(slots_.size()); }
    CommandListKind Kind() const { return kind_; }

    // Menus only (NumberedError 5 otherwise). Inserts an empty command at
    // index, or appends it for -1.
    std::shared_ptr<ShellCommand> Add(std::int32_t index);
    // Menus only: all entries as the menu library reads them. Valid until
    // the next Compile.
    const CompiledMenu& Compile();
    // Menus only.
    void Remove(std::int32_t index);
    // Back to the kind's defaults: every slot a new empty command, and drag
    // slot 0 the desktop toggle. Commands held from before stay alive.
    void Clear();
    // Copies a slot's command to the slot after it (menus) or to the nearest
    // free slot (drags, keys); the new slot, or -1 when none is free.
    std::int32_t Copy(std::int32_t index);
    // Moves a menu entry one place, or a drag or key command to the nearest
    // free slot; the new slot, or -1 when none is free.
    std::int32_t Move(std::int32_t index, bool toUp);
    void Exchange(std::int32_t code1, std::int32_t code2);
    // The destination keeps its object and takes the source's contents.
    void Duplicate(std::int32_t destination, std::int32_t source);

    bool Load(RegistryKey& lpreg) override;
    bool Save(RegistryKey& lpreg) override;
    // The number of menu entries Load would read from lpreg now: at most the
    // entries that are stored.
    std::int32_t StoredMenuCount(RegistryKey& lpreg) const;

private:
    void Reset(CommandListKind kind);
    std::int32_t FindEmptySlot(std::int32_t index, bool backward, bool wrap) const;
    void RequireMenus() const;
    void RequireSlot(std::int32_t index) const;
    std::shared_ptr<ShellCommand> NewCommand() const;

    CommandListKind kind_;
    std::vector<std::shared_ptr<ShellCommand>> slots_;
    CompiledMenu compiled_;
};
