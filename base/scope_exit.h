#pragma once
// Puts a temporary state back when the scope ends, on every way out of it:
// a return, or a failure passing through on its way to the window boundary.
// The action must not raise.

#include <utility>

template <typename Action>
class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(Action action) noexcept : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
};
