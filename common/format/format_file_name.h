#pragma once
// The file name format engine: expands a format string such as
// "<Y4>-<M2>-<D2>-<C4><Fo>" for one picture into a path relative to the root of
// the mapped drive ("\2010-05-06-0001.JPG"). In describe mode (builder only) a
// TokenRenderer supplies the text of every token instead, which is how a
// stored format becomes the buttons of the token editor.
#include <cstddef>

#include "common/format/source_file_info.h"

// Values are those the builder's case list and the stored formats rely on.
enum class CaseMode {
    kNone = 0,       // no case token seen yet
    kUnchanged = 1,  // <Fo>
    kUpper = 2,      // <Fu>
    kLower = 3,      // <Fl>
};

// Describe mode: each operation returns the text that stands for its token. The
// text must stay valid until the renderer's next call; null inserts nothing.
class TokenRenderer {
  public:
    virtual ~TokenRenderer() = default;

    virtual const char16_t* YearLong() = 0;            // <Y4>
    virtual const char16_t* MonthLong() = 0;           // <M2>
    virtual const char16_t* DayLong() = 0;             // <D2>
    virtual const char16_t* YearShort() = 0;           // <Y2>
    virtual const char16_t* MonthShort() = 0;          // <M1>
    virtual const char16_t* DayShort() = 0;            // <D1>
    virtual const char16_t* HourLong() = 0;            // <h2>
    virtual const char16_t* MinuteLong() = 0;          // <m2>
    virtual const char16_t* SecondLong() = 0;          // <s2>
    virtual const char16_t* HourShort() = 0;           // <h1>
    virtual const char16_t* MinuteShort() = 0;         // <m1>
    virtual const char16_t* SecondShort() = 0;         // <s1>
    virtual const char16_t* AmPm() = 0;                // <AP>
    virtual const char16_t* DirectorySeparator() = 0;  // <DIR>
    virtual const char16_t* CameraName() = 0;          // <X1>
    virtual const char16_t* ImageWidth() = 0;          // <X2>
    virtual const char16_t* ImageHeight() = 0;         // <X3>
    virtual const char16_t* OriginalName() = 0;        // <O>
    virtual const char16_t* OriginalDirectory() = 0;   // <P>
    // <Cn>; n is 0 when the token has no digits.
    virtual const char16_t* Counter(int digits) = 0;
    // <Ol-m>
    virtual const char16_t* OriginalNameRange(int first, int last) = 0;
    // The case token of a format that was described successfully; it inserts nothing.
    virtual void CaseToken(CaseMode mode) = 0;
};

// Expands format for source into out ("\" + expansion + extension, cut to
// outCapacity - 1 units). format is the caller's writable copy: it is trimmed
// of blanks and tabs in place and, when validating with formatCapacity other
// than -1, normalised in place on success. validate also forbids the
// characters :"/\|?* in the format, requires <P> to come first and limits the
// result to 260 units. A renderer switches on describe mode, where source may
// lack its name and capture time (or be null) and nothing is normalised.
// On failure out is unchanged, except when the result was complete but its
// <P> was misplaced or it was too long: out then holds it.
bool FormatFileName(bool validate, TokenRenderer* renderer, char16_t* out, std::size_t outCapacity,
                    char16_t* format, int formatCapacity, const SourceFileInfo* source);

// True when the engine succeeded and its result names a file that is neither
// empty nor hidden behind a leading dot.
bool IsUsableFileName(bool ok, const char16_t* result);
