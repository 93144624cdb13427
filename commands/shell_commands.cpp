#include "commands/shell_commands.h"

#include <algorithm>
#include <limits>

#include "base/desktop_toggle_file.h"
#include "base/interface_text.h"
#include "base/numbered_error.h"
#include "base/program_values.h"
#include "base/system.h"
#include "commands/slot_rules.h"

namespace {

// The command of drag slot 0, run by the pad's built-in desktop toggle.
void MakeDesktopToggle(ShellCommand& command)
{
    command.Caption = UiText(IDS_DESKTOP_TOGGLE_CAPTION);
    const std::wstring line = L"\"" + DesktopToggleFolder() + kDesktopToggleFileName + L"\"";
    try {
        command.SetCommand(line);
        command.SetWorkDir(AppFolder);
    } catch (const NumberedError&) {
        // The file could not be written at start-up; it may still appear,
        // and the settings must be usable meanwhile.
        command.StoreCommandLine(line);
        command.StoreWorkDir(AppFolder);
    }
    command.SetFocus = true;
    command.WindowState = 0;
}

}  // namespace

ShellCommands::ShellCommands(CommandListKind kind) : kind_(kind) { Reset(kind); }

void ShellCommands::Reset(CommandListKind kind)
{
    kind_ = kind;
    std::vector<std::shared_ptr<ShellCommand>> slots(SlotCountOf(kind));
    for (auto& slot : slots)
        slot = NewCommand();
    slots_ = std::move(slots);
    if (kind == CommandListKind::Drags)
        MakeDesktopToggle(*slots_[0]);
}

std::shared_ptr<ShellCommand> ShellCommands::NewCommand() const
{
    auto command = std::make_shared<ShellCommand>();
    command->SetKind(kind_);
    return command;
}

void ShellCommands::RequireMenus() const
{
    if (kind_ != CommandListKind::Menus)
        throw NumberedError(kErrInvalidArgument, UiText(IDS_LIST_OPERATION_INVALID));
}

void ShellCommands::RequireSlot(std::int32_t index) const
{
    if (index < 0 || index >= Count())
        throw NumberedError(kErrBadSubscript, UiText(IDS_INDEX_OUT_OF_RANGE));
}

std::shared_ptr<ShellCommand> ShellCommands::Item(std::int32_t index) const
{
    RequireSlot(index);
    return slots_[index];
}

std::shared_ptr<ShellCommand> ShellCommands::Add(std::int32_t index)
{
    RequireMenus();
    if (index == -1)
        index = Count();
    else if (index < 0 || index > Count())
        throw NumberedError(kErrBadSubscript, UiText(IDS_INDEX_OUT_OF_RANGE));
    auto command = NewCommand();
    slots_.insert(slots_.begin() + index, command);
    return command;
}

void ShellCommands::Remove(std::int32_t index)
{
    RequireMenus();
    RequireSlot(index);
    slots_.erase(slots_.begin() + index);
    if (slots_.empty())
        slots_.shrink_to_fit();
}

void ShellCommands::Clear() { Reset(kind_); }

const CompiledMenu& ShellCommands::Compile()
{
    RequireMenus();
    std::vector<MenuEntryText> entries;
    entries.reserve(slots_.size());
    for (const auto& command : slots_)
        entries.push_back({command->DisplayCaption(), command->Program(), command->Argument()});
    compiled_ = CompiledMenu(std::move(entries));
    return compiled_;
}

std::int32_t ShellCommands::FindEmptySlot(std::int32_t index, bool backward, bool wrap) const
{
    std::vector<bool> empty(slots_.size());
    std::transform(slots_.begin(), slots_.end(), empty.begin(),
                   [](const auto& command) { return command->IsEmpty(); });
    return FindEmptySlotIn(kind_, empty, index, backward, wrap);
}

std::int32_t ShellCommands::Copy(std::int32_t index)
{
    if (kind_ == CommandListKind::Menus) {
        if (index < 0 || index >= Count())
            throw NumberedError(kErrInvalidArgument, L"Copy");
        Add(index + 1);
        Duplicate(index + 1, index);
        return index + 1;
    }
    const std::int32_t free = FindEmptySlot(index, false, true);
    if (free != -1)
        Duplicate(free, index);
    return free;
}

std::int32_t ShellCommands::Move(std::int32_t index, bool toUp)
{
    if (kind_ == CommandListKind::Menus) {
        const std::int32_t target = toUp ? index - 1 : index + 1;
        if (index < 0 || index >= Count() || target < 0 || target >= Count())
            throw NumberedError(kErrInvalidArgument, L"Move");
        Exchange(index, target);
        return target;
    }
    const std::int32_t free = FindEmptySlot(index, toUp, false);
    if (free != -1)
        Exchange(index, free);
    return free;
}

void ShellCommands::Exchange(std::int32_t code1, std::int32_t code2)
{
    RequireSlot(code1);
    RequireSlot(code2);
    std::swap(slots_[code1], slots_[code2]);
}

void ShellCommands::Duplicate(std::int32_t destination, std::int32_t source)
{
    RequireSlot(destination);
    RequireSlot(source);
    const std::shared_ptr<ShellCommand> from = slots_[source];
    ShellCommand& to = *slots_[destination];
    to.StoreCommandLine(from->Command());
    to.StoreWorkDir(from->WorkDir());
    to.WindowState = from->WindowState;
    to.SetFocus = from->SetFocus;
    to.Caption = L"Copy - " + from->Caption;
}

std::int32_t ShellCommands::StoredMenuCount(RegistryKey& lpreg) const
{
    // A count that is there but cannot be read as a number (text, a QWORD
    // beyond 32 bits) declares nothing: every entry stored is loaded, so the
    // next save writes the count of what was there instead of losing it.
    const std::int32_t declared =
        lpreg.HasValue(L"NumberOfMenus")
            ? lpreg.ReadValue(L"NumberOfMenus", std::numeric_limits<std::int32_t>::max())
            : 0;
    // The declared number may be anything; never go past the last entry
    // that is really there.
    std::int32_t stored = 0;
    RegistryKey keys = Persistence().KeyOf(lpreg);
    std::wstring name;
    while (keys.NextSubKey(name)) {
        const std::optional<std::int32_t> slot = MenuSlotOfKeyName(name);
        if (slot && *slot < declared)
            stored = std::max(stored, *slot + 1);
    }
    return stored;
}

bool ShellCommands::Load(RegistryKey& lpreg)
{
    if (kind_ == CommandListKind::Menus) {
        Clear();
        const std::int32_t count = StoredMenuCount(lpreg);
        for (std::int32_t i = 0; i < count; ++i) {
            RegistryKey entry = lpreg.SubKey(SlotKeyName(kind_, i));
            Persistence().PersistOf(*Add(-1)).Load(entry);
        }
        return true;
    }
    // A list never stored leaves every slot empty, without asking the
    // registry for each slot's key.
    if (!lpreg.Exists()) {
        for (std::int32_t slot = FirstStoredSlot(kind_); slot < Count(); ++slot)
            slots_[slot]->Clear();
        return true;
    }
    for (std::int32_t slot = FirstStoredSlot(kind_); slot < Count(); ++slot) {
        RegistryKey entry = lpreg.SubKey(SlotKeyName(kind_, slot));
        Persistence().PersistOf(*slots_[slot]).Load(entry);
    }
    return true;
}

bool ShellCommands::Save(RegistryKey& lpreg)
{
    // Entries of a longer list saved before into the same key would stay
    // behind; loading never reads past NumberOfMenus.
    if (kind_ == CommandListKind::Menus)
        lpreg.WriteValue(L"NumberOfMenus", Count());
    for (std::int32_t slot = FirstStoredSlot(kind_); slot < Count(); ++slot) {
        RegistryKey entry = lpreg.SubKey(SlotKeyName(kind_, slot));
        Persistence().PersistOf(*slots_[slot]).Save(entry);
    }
    return true;
}
