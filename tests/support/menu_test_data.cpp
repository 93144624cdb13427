#include "tests/support/menu_test_data.h"

#include <algorithm>

#include "base/system.h"

namespace {
constexpr char kGuardByte = 0x5A;
}

const std::wstring kBuiltInCaptions[3] = {L"最小化／最小化を戻す(&T)", L"設定(&O)", L"終了(&U)"};
const std::wstring kOpenFolderCaption = L"開く(&O)";

EntryTable& EntryTable::Add(const std::wstring& caption, const std::wstring& program,
                            const std::wstring& arguments)
{
    texts_.push_back(ToAnsi(caption));
    const char* c = texts_.back().c_str();
    texts_.push_back(ToAnsi(program));
    const char* p = texts_.back().c_str();
    texts_.push_back(ToAnsi(arguments));
    const char* a = texts_.back().c_str();
    entries_.push_back({c, p, a});
    return *this;
}

AnswerBuffers::AnswerBuffers()
{
    for (auto* buffer : {&file_, &parameters_}) {
        buffer->fill('\0');
        std::fill(buffer->begin() + kMenuAnswerSize, buffer->end(), kGuardByte);
    }
}

bool AnswerBuffers::GuardsIntact() const
{
    auto intact = [](const auto& buffer) {
        return std::all_of(buffer.begin() + kMenuAnswerSize, buffer.end(),
                           [](char c) { return c == kGuardByte; });
    };
    return intact(file_) && intact(parameters_);
}

bool AnswerBuffers::Untouched() const
{
    auto clear = [](const auto& buffer) {
        return std::all_of(buffer.begin(), buffer.begin() + kMenuAnswerSize,
                           [](char c) { return c == '\0'; });
    };
    return clear(file_) && clear(parameters_) && GuardsIntact();
}
