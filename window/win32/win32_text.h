#pragma once

#include <string>
#include <string_view>

namespace kestrova::win32 {

// The form's texts are views, not terminated strings; every Win32 call gets
// its own terminated copy. On Windows wchar_t is UTF-16, as the core's text is.
inline std::wstring WideString(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::wstring WideString(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

}  // namespace kestrova::win32
