// The shared body of the heap strings CStrChar (8-bit) and CStrWChar
// (16-bit): a zero-terminated buffer owned by the string and its length.
// Every append reallocates to the exact new size; strings are short (keys,
// values, paths). Derived names the string class, which is what Substring
// and the operators return, and supplies the source name and lines that its
// assertions report.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

template <typename Derived, typename Char>
class CStrT : public CClass {
public:
    CStrT() : CClass(Derived::kClassId) {}
    // Empty, then the text appended (nothing for null).
    explicit CStrT(const Char* text) : CStrT() { AppendText(text); }
    // Copies are deep.
    CStrT(const CStrT& other) : CStrT() { AppendText(other.m_buffer); }
    CStrT& operator=(const CStrT& other) {
        AssignCStr(other.m_buffer);
        return *this;
    }
    ~CStrT() override { Clear(); }

    // Frees the buffer: the string is empty with no buffer.
    void Clear();
    std::int32_t GetLength() const { return m_length; }
    // The text, or null for a string that never held text.
    Char* GetBuffer() { return m_buffer; }
    const Char* GetBuffer() const { return m_buffer; }

    // Appends the text (nothing for null). Always reallocates, so appending
    // the empty text to a string without buffer leaves a lone terminator.
    Derived& Append(const Char* text) {
        AppendText(text);
        return static_cast<Derived&>(*this);
    }
    Derived& AppendCStr(const Char* text) { return Append(text); }
    Derived& Assign(const Derived& other) { return AssignCStr(other.m_buffer); }
    Derived& AssignCStr(const Char* text);
    Derived& operator+=(const Derived& other) { return Append(other.m_buffer); }

    // First index at or after from where the pattern occurs, -1 when none.
    // The empty pattern is found at from while from <= length.
    std::int32_t Find(const Char* pattern, std::int32_t from) const;
    // Index of the nth occurrence of c (counting from 1), or of the last one
    // when nth is 0; -1 when there is none.
    std::int32_t FindChar(std::int32_t nth, Char c) const;
    // First index at or after from (negative counts as 0) whose character
    // differs from c; -1 when none.
    std::int32_t FindFirstNot(std::int32_t from, Char c) const;
    // The characters from `from` to `to` inclusive, read backwards when to
    // is below from. Negative bounds count as 0; the copy stops at the end
    // of the text, so a backward range starting at or past the end is empty.
    Derived Substring(std::int32_t from, std::int32_t to) const;

    // Replaces the text by the whole file. The loaded length is the file's
    // size in characters (a 16-bit string drops an odd last byte; its
    // characters are little-endian in the file) and the text may hold zero
    // characters. False, with an empty string, for a missing or empty file,
    // one too large to hold, or a short read.
    bool LoadFromFile(const char16_t* path);

    // A new string: the left text followed by the right one; either side
    // may be without text.
    friend Derived operator+(const Derived& left, const Derived& right) { return Concat(left.m_buffer, right.m_buffer); }
    friend Derived operator+(const Derived& left, const Char* right) { return Concat(left.m_buffer, right); }
    friend Derived operator+(const Char* left, const Derived& right) { return Concat(left, right.m_buffer); }

protected:
    // Replaces the buffer by storage for n characters, terminated at n, with
    // length n; the caller fills the characters.
    Char* Allocate(std::int32_t n);

private:
    // Append's work. The constructors call it rather than Append: while the
    // base is being constructed, the object is not yet a Derived to cast to.
    void AppendText(const Char* text);

    static Derived Concat(const Char* left, const Char* right) {
        Derived result(left);
        result.Append(right);
        return result;
    }

    Char* m_buffer = nullptr;
    std::int32_t m_length = 0;
};
