#pragma once
// The text a format expands to, built while the format is scanned. Every
// append is bounded by the capacity the caller allows for the result and goes
// through the traced bounded operations, so that text cut off shows in the
// applet's trace. Numbers are written by a local conversion rather than the
// general formatter because the builder re-expands the format on every edit.
#include <cstddef>

class FormatExpansion {
  public:
    // buffer holds capacity units (capacity >= 1); the expansion starts empty.
    FormatExpansion(char16_t* buffer, std::size_t capacity);

    // Appends terminated text; null appends nothing.
    void AppendText(const char16_t* text);
    // Appends at most count units of text (stopping at its terminator); false
    // when some of them did not fit.
    bool AppendUnits(const char16_t* text, std::size_t count);
    // Decimal as printf's "%0*d": at least width units, zero-filled after any
    // minus sign; width 0 prints the number plain.
    void AppendNumber(int value, int width);

    const char16_t* Text() const { return buffer_; }

  private:
    void AppendZeros(std::size_t count);

    char16_t* buffer_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};
