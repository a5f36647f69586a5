#include "platform/shared/core/Printf.h"

#include <climits>
#include <cstdint>

namespace {

// Per-conversion flag bits.
constexpr unsigned kZeroPad = 1;
constexpr unsigned kSigned = 2;
constexpr unsigned kPlus = 4;
constexpr unsigned kSpace = 8;
constexpr unsigned kLeft = 16;
constexpr unsigned kAlternate = 32;
constexpr unsigned kUpper = 64;

// Capacity of the unbounded forms.
constexpr std::size_t kUnbounded = SIZE_MAX;

// What differs between the 8-bit and the 16-bit engine.
template <typename Char>
struct Text;

template <>
struct Text<char> {
    static constexpr const char* kLowerDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
    static constexpr const char* kUpperDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static constexpr const char* kNull = "<NULL>";
    static char Character(int value) { return static_cast<char>(value); }
};

template <>
struct Text<char16_t> {
    static constexpr const char16_t* kLowerDigits = u"0123456789abcdefghijklmnopqrstuvwxyz";
    static constexpr const char16_t* kUpperDigits = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static constexpr const char16_t* kNull = u"NULL";
    // %c keeps only the low 8 bits of its argument.
    static char16_t Character(int value) { return static_cast<char16_t>(value & 0xFF); }
};

// The caller's buffer. Characters go straight into it, one at a time; past
// capacity - 1 they are only counted, so that %n and the padding loops see
// the text's full length while the buffer stays within bounds.
template <typename Char>
class FormatOutput {
public:
    FormatOutput(Char* buffer, std::size_t capacity) : m_buffer(buffer), m_capacity(capacity) {}

    void Put(Char c) {
        if (m_count + 1 < m_capacity) m_buffer[m_count] = c;
        ++m_count;
    }

    void Fill(Char c, std::int64_t n) {
        for (; n > 0 && m_count + 1 < m_capacity; --n) m_buffer[m_count++] = c;
        if (n > 0) m_count += static_cast<std::size_t>(n);
    }

    // Characters of the text so far, including any that did not fit.
    std::size_t Count() const { return m_count; }

    // Terminates the stored text; returns its length.
    int Finish() {
        if (m_capacity == 0) return 0;
        const std::size_t stored = m_count < m_capacity - 1 ? m_count : m_capacity - 1;
        m_buffer[stored] = Char(0);
        return static_cast<int>(stored);
    }

private:
    Char* m_buffer;
    std::size_t m_capacity;
    std::size_t m_count = 0;
};

template <typename Char>
bool IsDigit(Char c) {
    return c >= Char('0') && c <= Char('9');
}

// Reads a decimal number and moves past it; saturates at INT_MAX.
template <typename Char>
int FormatReadInt(const Char*& text) {
    int value = 0;
    for (; IsDigit(*text); ++text) {
        const int digit = static_cast<int>(*text - Char('0'));
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return value;
}

template <typename Char>
unsigned FlagOf(Char c) {
    switch (c) {
    case '-': return kLeft;
    case '+': return kPlus;
    case ' ': return kSpace;
    case '#': return kAlternate;
    case '0': return kZeroPad;
    default: return 0;
    }
}

// One number. Width and precision are -1 when not given. With kSigned the
// value is read as a two's-complement signed value. Zero padding and the
// precision add up: the zeros of the padding come before those of the
// precision.
template <typename Char>
void FormatNumber(FormatOutput<Char>& out, std::uint64_t value, unsigned base, std::int64_t width,
                  std::int64_t precision, unsigned flags) {
    if (flags & kLeft) flags &= ~kZeroPad;
    const Char pad = (flags & kZeroPad) ? Char('0') : Char(' ');

    Char sign = 0;
    if (flags & kSigned) {
        if (static_cast<std::int64_t>(value) < 0) {
            sign = Char('-');
            value = 0 - value;
        } else if (flags & kPlus) {
            sign = Char('+');
        } else if (flags & kSpace) {
            sign = Char(' ');
        }
    }
    if (sign != 0) --width;
    const bool alternate = (flags & kAlternate) != 0 && (base == 8 || base == 16);
    if (alternate) width -= base == 16 ? 2 : 1;

    // Least significant digit first.
    Char digits[64];
    int count = 0;
    const Char* table = (flags & kUpper) ? Text<Char>::kUpperDigits : Text<Char>::kLowerDigits;
    do {
        digits[count++] = table[value % base];
        value /= base;
    } while (value != 0);

    if (precision < count) precision = count;
    width -= precision;

    if (!(flags & (kZeroPad | kLeft))) {
        out.Fill(Char(' '), width);
        width = 0;
    }
    if (sign != 0) out.Put(sign);
    if (alternate) {
        out.Put(Char('0'));
        if (base == 16) out.Put((flags & kUpper) ? Char('X') : Char('x'));
    }
    if (!(flags & kLeft)) {
        out.Fill(pad, width);
        width = 0;
    }
    out.Fill(Char('0'), precision - count);
    while (count > 0) out.Put(digits[--count]);
    out.Fill(Char(' '), width);
}

// The engine, over 8-bit (char) or 16-bit (char16_t) text. It writes no
// terminator; FormatOutput::Finish does.
template <typename Char>
void FormatEngine(FormatOutput<Char>& out, const Char* format, va_list args) {
    for (;;) {
        const Char c = *format++;
        if (c == 0) return;
        if (c != Char('%')) {
            out.Put(c);
            continue;
        }

        unsigned flags = 0;
        for (unsigned flag; (flag = FlagOf(*format)) != 0; ++format) flags |= flag;

        std::int64_t width = -1;
        if (*format == Char('*')) {
            ++format;
            const int w = va_arg(args, int);
            if (w < 0) flags |= kLeft;
            width = w < 0 ? -static_cast<std::int64_t>(w) : w;
        } else if (IsDigit(*format)) {
            width = FormatReadInt(format);
        }

        std::int64_t precision = -1;
        if (*format == Char('.')) {
            ++format;
            if (*format == Char('*')) {
                ++format;
                precision = va_arg(args, int);
            } else {
                precision = FormatReadInt(format);  // 0 without digits
            }
            if (precision < 0) precision = 0;
        }

        // Length qualifiers change nothing: every argument is an int-sized
        // word or a pointer.
        if (*format == Char('h') || *format == Char('l') || *format == Char('L')) ++format;

        const Char conversion = *format;
        if (conversion == 0) {
            out.Put(Char('%'));
            return;
        }
        ++format;

        switch (conversion) {
        case 'c': {
            const Char ch = Text<Char>::Character(va_arg(args, int));
            if (!(flags & kLeft)) out.Fill(Char(' '), width - 1);
            out.Put(ch);
            if (flags & kLeft) out.Fill(Char(' '), width - 1);
            break;
        }
        case 's':
        case 'U': {
            const Char* text = va_arg(args, const Char*);
            if (text == nullptr) text = Text<Char>::kNull;
            // Never reads past the precision, so the text need not be
            // terminated within it.
            std::int64_t length = 0;
            while ((precision < 0 || length < precision) && text[length] != 0) ++length;
            if (!(flags & kLeft)) out.Fill(Char(' '), width - length);
            for (std::int64_t i = 0; i < length; ++i) out.Put(text[i]);
            if (flags & kLeft) out.Fill(Char(' '), width - length);
            break;
        }
        case 'p': {
            if (width < 0) {
                width = 8;
                flags |= kZeroPad;
            }
            const auto pointer = reinterpret_cast<std::uintptr_t>(va_arg(args, void*));
            FormatNumber(out, pointer, 16, width, precision, flags);
            break;
        }
        case 'n':
            *va_arg(args, int*) = static_cast<int>(out.Count());
            break;
        case 'o':
            FormatNumber(out, va_arg(args, unsigned), 8, width, precision, flags);
            break;
        case 'X':
            flags |= kUpper;
            [[fallthrough]];
        case 'x':
            FormatNumber(out, va_arg(args, unsigned), 16, width, precision, flags);
            break;
        case 'd':
        case 'i': {
            const std::int64_t value = va_arg(args, int);
            FormatNumber(out, static_cast<std::uint64_t>(value), 10, width, precision, flags | kSigned);
            break;
        }
        case 'u':
            FormatNumber(out, va_arg(args, unsigned), 10, width, precision, flags);
            break;
        default:
            // Unknown conversions print as text; what was read before them is
            // dropped.
            if (conversion != Char('%')) out.Put(Char('%'));
            out.Put(conversion);
            break;
        }
    }
}

template <typename Char>
int Format(Char* buffer, std::size_t capacity, const Char* format, va_list args) {
    FormatOutput<Char> out(buffer, capacity);
    FormatEngine(out, format, args);
    return out.Finish();
}

}  // namespace

int VSPrintf(char* buffer, const char* format, va_list args) { return Format(buffer, kUnbounded, format, args); }

int VSWPrintf(char16_t* buffer, const char16_t* format, va_list args) {
    return Format(buffer, kUnbounded, format, args);
}

int VSNPrintf(char* buffer, std::size_t capacity, const char* format, va_list args) {
    return Format(buffer, capacity, format, args);
}

int VSWNPrintf(char16_t* buffer, std::size_t capacity, const char16_t* format, va_list args) {
    return Format(buffer, capacity, format, args);
}

int SPrintf(char* buffer, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = VSPrintf(buffer, format, args);
    va_end(args);
    return result;
}

int SWPrintf(char16_t* buffer, const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = VSWPrintf(buffer, format, args);
    va_end(args);
    return result;
}

int SNPrintf(char* buffer, std::size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = VSNPrintf(buffer, capacity, format, args);
    va_end(args);
    return result;
}

int SWNPrintf(char16_t* buffer, std::size_t capacity, const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = VSWNPrintf(buffer, capacity, format, args);
    va_end(args);
    return result;
}
