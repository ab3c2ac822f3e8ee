#include "platform/CheckedFormat.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int MAX_FIELD = 512;

struct Conversion {
    int start = 0;   // position of '%'
    int end = 0;     // one past the conversion character
    QString flags;
    int width = -1;
    int precision = -1;
    bool wide = false;  // ll or I64
    char type = 0;      // 'd', 'u', 'c', 's', 'f' class letter, '%' for a literal
    char letter = 0;    // the conversion character as written
};

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads a run of digits; false when it is longer than any field we accept.
bool ReadNumber(const QString& f, int& i, int& value) {
    value = 0;
    while (i < f.size() && IsDigit(f[i])) {
        value = value * 10 + (f[i].unicode() - u'0');
        if (value > MAX_FIELD) return false;
        ++i;
    }
    return true;
}

// Reads one conversion after its '%' (flags, width, precision, length, letter); i ends on the letter.
bool ParseSpec(const QString& f, int& i, Conversion& c) {
    while (i < f.size() && QStringLiteral("-+ #0").contains(f[i])) c.flags += f[i++];
    if (i < f.size() && IsDigit(f[i]) && !ReadNumber(f, i, c.width)) return false;
    if (i < f.size() && f[i] == u'.') {
        ++i;
        if (!ReadNumber(f, i, c.precision)) return false;
    }
    QString length;
    if (f.mid(i, 3) == QLatin1String("I64")) {
        length = QStringLiteral("I64");
    } else if (f.mid(i, 2) == QLatin1String("ll") || f.mid(i, 2) == QLatin1String("hh")) {
        length = f.mid(i, 2);
    } else if (i < f.size() && (f[i] == u'l' || f[i] == u'h' || f[i] == u'L')) {
        length = f.mid(i, 1);
    }
    i += length.size();
    if (i >= f.size()) return false;
    const char16_t letter = f[i].unicode();
    c.letter = static_cast<char>(letter);
    c.wide = length == QLatin1String("ll") || length == QLatin1String("I64");
    switch (letter) {
        case u'd': case u'i': c.type = 'd'; break;
        case u'u': case u'x': case u'X': case u'o': c.type = 'u'; break;
        case u'c': c.type = 'c'; break;
        case u's': case u'S': c.type = 's'; break;
        case u'f': case u'F': case u'e': case u'E': case u'g': case u'G': c.type = 'f'; break;
        case u'%': c.type = '%'; break;
        default: return false;
    }
    // A length modifier only means something for its own kind of value.
    if (!length.isEmpty()) {
        bool integer = c.type == 'd' || c.type == 'u';
        bool ok = (integer && length != QLatin1String("L")) || (c.type == 'f' && length == QLatin1String("L")) ||
                  ((c.type == 's' || c.type == 'c') && length == QLatin1String("l"));
        if (!ok) return false;
    }
    if (c.type == '%' && (!c.flags.isEmpty() || c.width >= 0 || c.precision >= 0 || !length.isEmpty())) return false;
    return true;
}

bool Parse(const QString& f, std::vector<Conversion>& out) {
    for (int i = 0; i < f.size(); ++i) {
        if (f[i] != u'%') continue;
        Conversion c;
        c.start = i++;
        if (!ParseSpec(f, i, c)) return false;
        c.end = i + 1;
        out.push_back(c);
    }
    return true;
}

// A piece of an insert-style text: plain text, or argument `insert` (1-based) with its conversion.
struct InsertPiece {
    QString text;
    int insert = 0;
    Conversion conversion;
};

// Insert-style texts ("%1", "%2!d!", "%%", "%n"...), as message texts of the platform are written.
bool ParseInserts(const QString& f, std::vector<InsertPiece>& out) {
    QString plain;
    auto flush = [&] {
        if (!plain.isEmpty()) out.push_back({plain, 0, {}});
        plain.clear();
    };
    for (int i = 0; i < f.size(); ++i) {
        if (f[i] != u'%') {
            plain += f[i];
            continue;
        }
        if (++i >= f.size()) return false;
        const QChar next = f[i];
        if (next >= u'1' && next <= u'9') {
            int insert = next.unicode() - u'0';
            if (i + 1 < f.size() && IsDigit(f[i + 1])) insert = insert * 10 + (f[++i].unicode() - u'0');
            Conversion c;
            c.type = 's';
            c.letter = 's';
            if (i + 1 < f.size() && f[i + 1] == u'!') {
                int close = f.indexOf(u'!', i + 2);
                if (close < 0) return false;
                QString desc = f.mid(i + 2, close - i - 2);
                int j = 0;
                if (desc.isEmpty() || !ParseSpec(desc, j, c) || j != desc.size() - 1 || c.type == '%') return false;
                i = close;
            }
            flush();
            out.push_back({QString(), insert, c});
            continue;
        }
        switch (next.unicode()) {
            case u'%': plain += u'%'; break;
            case u'n': plain += u'\n'; break;
            case u'r': plain += u'\r'; break;
            case u't': plain += u'\t'; break;
            case u'.': plain += u'.'; break;
            case u'!': plain += u'!'; break;
            case u' ': plain += u' '; break;
            case u'0': flush(); return true;  // the text ends here
            default: return false;
        }
    }
    flush();
    return true;
}

bool Fit(const Conversion& c, const FormatArg& a) {
    switch (c.type) {
        case 'd': case 'u': case 'c':
            return a.GetKind() == FormatArg::Kind::Int || a.GetKind() == FormatArg::Kind::UInt;
        case 's': return a.GetKind() == FormatArg::Kind::Text;
        case 'f': return a.GetKind() == FormatArg::Kind::Double;
        default: return false;
    }
}

QString Pad(const QString& text, const Conversion& c) {
    if (c.width <= text.size()) return text;
    QString fill(c.width - text.size(), u' ');
    return c.flags.contains(u'-') ? text + fill : fill + text;
}

// Formats one number through snprintf with a conversion we built ourselves, so the argument's type
// always matches what snprintf reads.
template <typename T>
QString Number(const Conversion& c, const char* length, char letter, T value) {
    std::string desc = "%";
    for (QChar flag : c.flags)
        if (flag != u'#' || (letter != 'd' && letter != 'i' && letter != 'u')) desc += static_cast<char>(flag.unicode());
    if (c.width >= 0) desc += std::to_string(c.width);
    if (c.precision >= 0) {
        desc += '.';
        desc += std::to_string(c.precision);
    }
    desc += length;
    desc += letter;
    char buffer[2 * MAX_FIELD + 400];
    int n = std::snprintf(buffer, sizeof buffer, desc.c_str(), value);
    if (n < 0) return QString();
    return QString::fromLocal8Bit(buffer, std::min<int>(n, sizeof buffer - 1));
}

QString One(const Conversion& c, const FormatArg& a) {
    switch (c.type) {
        case 'd': {
            long long v = a.GetKind() == FormatArg::Kind::Int ? a.Int() : static_cast<long long>(a.UInt());
            return Number(c, "ll", c.letter, v);
        }
        case 'u': {
            unsigned long long v;
            if (a.GetKind() == FormatArg::Kind::UInt) {
                v = a.UInt();
            } else if (c.wide) {
                v = static_cast<unsigned long long>(a.Int());
            } else {
                // Without a 64-bit length a negative number shows as its 32-bit pattern, as the
                // texts were written for.
                v = static_cast<uint32_t>(a.Int());
            }
            return Number(c, "ll", c.letter, v);
        }
        case 'c': {
            unsigned long long code = a.GetKind() == FormatArg::Kind::Int ? static_cast<unsigned long long>(a.Int()) : a.UInt();
            char32_t ch = code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? U'\uFFFD' : static_cast<char32_t>(code);
            return Pad(QString::fromUcs4(&ch, 1), c);
        }
        case 's': {
            QString text = a.Text();
            if (c.precision >= 0 && text.size() > c.precision) {
                int keep = c.precision;
                if (keep > 0 && text[keep - 1].isHighSurrogate()) --keep;  // never half a character
                text.truncate(keep);
            }
            return Pad(text, c);
        }
        case 'f': return Number(c, "", c.letter, a.Double());
        default: return QString();
    }
}

}  // namespace

bool CheckedFormat::FitsInserts(const QString& format, std::span<const FormatArg> args) {
    std::vector<InsertPiece> pieces;
    if (!ParseInserts(format, pieces)) return false;
    for (const InsertPiece& p : pieces)
        if (p.insert && (p.insert > static_cast<int>(args.size()) || !Fit(p.conversion, args[p.insert - 1]))) return false;
    return true;
}

bool CheckedFormat::FormatInserts(const QString& format, std::span<const FormatArg> args, QString& out) {
    if (!FitsInserts(format, args)) return false;
    std::vector<InsertPiece> pieces;
    ParseInserts(format, pieces);
    QString result;
    for (const InsertPiece& p : pieces) result += p.insert ? One(p.conversion, args[p.insert - 1]) : p.text;
    out = result;
    return true;
}

bool CheckedFormat::Fits(const QString& format, std::span<const FormatArg> args) {
    std::vector<Conversion> conversions;
    if (!Parse(format, conversions)) return false;
    size_t next = 0;
    for (const Conversion& c : conversions) {
        if (c.type == '%') continue;
        if (next >= args.size() || !Fit(c, args[next])) return false;
        ++next;
    }
    return next == args.size();
}

bool CheckedFormat::Format(const QString& format, std::span<const FormatArg> args, QString& out) {
    if (!Fits(format, args)) return false;
    std::vector<Conversion> conversions;
    Parse(format, conversions);
    QString result;
    int from = 0;
    size_t next = 0;
    for (const Conversion& c : conversions) {
        result += format.mid(from, c.start - from);
        result += c.type == '%' ? QStringLiteral("%") : One(c, args[next++]);
        from = c.end;
    }
    result += format.mid(from);
    out = result;
    return true;
}
