#pragma once
// The one exception type of the object model: an error number and the text
// that describes it. Setter errors carry the Japanese message shown to the user.

#include <cstdint>
#include <exception>
#include <string>

inline constexpr std::int32_t kErrInvalidArgument = 5;       // invalid procedure call or argument
inline constexpr std::int32_t kErrBadSubscript = 381;        // invalid property array index
inline constexpr std::int32_t kErrInvalidValue = static_cast<std::int32_t>(0x80040001u);

class NumberedError : public std::exception {
public:
    NumberedError(std::int32_t number, std::wstring description)
        : number_(number), description_(std::move(description)) {}

    std::int32_t Number() const noexcept { return number_; }
    const std::wstring& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return "Korvane numbered error"; }

private:
    std::int32_t number_;
    std::wstring description_;
};
