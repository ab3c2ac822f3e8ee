#pragma once
// Text helpers of the registry: names are UTF-8 and compared without regard to ASCII letter case;
// text data is stored as UTF-16LE, as the hive format and the value sizes expect.
#include "platform/RegistryTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace RegistryText {

// ASCII case folding only: the names this system uses are ASCII, and any other byte compares as is.
bool EqualNoCase(std::string_view a, std::string_view b);

// True when text is well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Appends the UTF-16LE form of text to out; false (out unchanged) when text is not valid UTF-8.
bool AppendUtf16Le(std::string_view text, std::vector<BYTE>& out);

// UTF-16LE bytes as UTF-8 up to the first NUL unit (or the end, or through NULs when stopAtNul is
// false). A dangling odd byte is dropped and a lone surrogate becomes U+FFFD, so any bytes give a
// usable text.
std::string Utf16LeToUtf8(const BYTE* data, size_t size, bool stopAtNul = true);

// True when data is exactly a terminated UTF-16LE text without inner NULs or lone surrogates.
bool IsTerminatedUtf16(const BYTE* data, size_t size);

// Turns a key path into its stored form: components joined by '\', no trailing '\'. Refuses empty
// components (one trailing '\' is allowed), components over REG_MAX_KEY_NAME bytes, control
// characters and malformed UTF-8.
bool NormaliseKeyPath(std::string_view path, std::string& out);

// Value names: valid UTF-8, at most REG_MAX_VALUE_NAME bytes, no control characters.
bool IsValidValueName(std::string_view name);

}  // namespace RegistryText
