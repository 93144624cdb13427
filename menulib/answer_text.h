#pragma once
// What the library writes into the caller's answer buffers: ANSI text that
// must come back as the very same path and must fit with its NUL.

#include <optional>
#include <string>

#include "menulib/menu_abi.h"

// The text in the ANSI code page, or nothing when a character has no exact
// ANSI form (a substitute character would name another file).
std::optional<std::string> ExactAnsi(const std::wstring& text);

// True when the text and its terminating NUL fit into one answer buffer.
inline bool FitsAnswer(const std::string& text) { return text.size() < kMenuAnswerSize; }
