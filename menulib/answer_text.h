#pragma once
// What the library writes into the caller's answer buffers: ANSI text that
// must come back as the very same path (ExactAnsi) and must fit with its NUL.

#include <string>

#include "menulib/menu_abi.h"

// True when the text and its terminating NUL fit into one answer buffer.
inline bool FitsAnswer(const std::string& text) { return text.size() < kMenuAnswerSize; }
