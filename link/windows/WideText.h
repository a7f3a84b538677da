#pragma once
// Windows speaks UTF-16; the program's texts are UTF-8.

#include <cstddef>
#include <string>

namespace zeb40 {

std::string Utf8FromWide(const wchar_t* text, std::size_t length);
std::wstring WideFromUtf8(const std::string& text);

} // namespace zeb40
