#pragma once
// printf-style formatting of resource texts that never trusts the format: a replaceable library may
// carry any text under a number, so each conversion is matched against the argument it will take
// (count and kind) before anything is formatted, and the values are formatted one by one without
// variadic calls. A format that does not fit is refused, and the caller falls back to its own text.
//
// Accepted conversions: %d %i (whole numbers), %u %x %X %o (whole numbers), %c (a character code),
// %s %S (text), %f %F %e %E %g %G (floating values), %% (a percent sign); flags "-+ #0", a width and
// a precision up to 512, length modifiers h hh l ll I64 L. Anything else (%n, %p, "*", positional
// "$" arguments, a lone % at the end) makes the format unusable.
#include <QString>
#include <span>

#include "platform/FormatArg.h"

class CheckedFormat {
public:
    // True when the format's conversions fit the arguments in number and kind.
    static bool Fits(const QString& format, std::span<const FormatArg> args);
    // Fills the format; false (out untouched) when it does not fit.
    static bool Format(const QString& format, std::span<const FormatArg> args, QString& out);
};
