#pragma once
// One argument for a resource format string: a whole number (signed or not), a floating value or a
// text. Call sites pass plain values; the formatter checks each against the conversion it meets.
#include <QString>
#include <string>

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
