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
#include <string>

// One argument of a checked format: a whole number (signed or not), a floating value or a text.
class FormatArg {
public:
    enum class Kind { Int, UInt, Double, Text };

    FormatArg(int v) : m_kind(Kind::Int), m_int(v) {}
    FormatArg(long v) : m_kind(Kind::Int), m_int(v) {}
    FormatArg(long long v) : m_kind(Kind::Int), m_int(v) {}
    FormatArg(unsigned v) : m_kind(Kind::UInt), m_uint(v) {}
    FormatArg(unsigned long v) : m_kind(Kind::UInt), m_uint(v) {}
    FormatArg(unsigned long long v) : m_kind(Kind::UInt), m_uint(v) {}
    FormatArg(double v) : m_kind(Kind::Double), m_double(v) {}
    FormatArg(const char* v) : m_kind(Kind::Text), m_text(QString::fromUtf8(v ? v : "")) {}
    FormatArg(const std::string& v) : m_kind(Kind::Text), m_text(QString::fromStdString(v)) {}
    FormatArg(const QString& v) : m_kind(Kind::Text), m_text(v) {}

    Kind GetKind() const { return m_kind; }
    long long Int() const { return m_int; }
    unsigned long long UInt() const { return m_uint; }
    double Double() const { return m_double; }
    const QString& Text() const { return m_text; }

private:
    Kind m_kind;
    long long m_int = 0;
    unsigned long long m_uint = 0;
    double m_double = 0.0;
    QString m_text;
};

class CheckedFormat {
public:
    // True when the format's conversions fit the arguments in number and kind.
    static bool Fits(const QString& format, std::span<const FormatArg> args);
    // Fills the format; false (out untouched) when it does not fit.
    static bool Format(const QString& format, std::span<const FormatArg> args, QString& out);

    // The same for insert-style texts: "%1" to "%99" take the argument of that number, optionally
    // with a conversion between exclamation marks ("%1!d!", "%2!.1f!"; plain "%1" is text); "%%",
    // "%n", "%r", "%t", "%.", "%!" and "%space" stand for themselves, "%0" ends the text. An argument
    // may be used more than once or not at all; a number beyond the arguments does not fit.
    static bool FitsInserts(const QString& format, std::span<const FormatArg> args);
    static bool FormatInserts(const QString& format, std::span<const FormatArg> args, QString& out);
};
