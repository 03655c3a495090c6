#pragma once
// A describe-mode renderer for tests: every token becomes its name in square
// brackets ("[Y4]", "[C4]", "[O5-8]"), so that the engine's output shows which
// operation it called for which token, and the case token is recorded.
#include <string>

#include "common/format/format_file_name.h"

class RecordingRenderer : public TokenRenderer {
  public:
    const char16_t* YearLong() override { return Name(u"Y4"); }
    const char16_t* MonthLong() override { return Name(u"M2"); }
    const char16_t* DayLong() override { return Name(u"D2"); }
    const char16_t* YearShort() override { return Name(u"Y2"); }
    const char16_t* MonthShort() override { return Name(u"M1"); }
    const char16_t* DayShort() override { return Name(u"D1"); }
    const char16_t* HourLong() override { return Name(u"h2"); }
    const char16_t* MinuteLong() override { return Name(u"m2"); }
    const char16_t* SecondLong() override { return Name(u"s2"); }
    const char16_t* HourShort() override { return Name(u"h1"); }
    const char16_t* MinuteShort() override { return Name(u"m1"); }
    const char16_t* SecondShort() override { return Name(u"s1"); }
    const char16_t* AmPm() override { return Name(u"AP"); }
    const char16_t* DirectorySeparator() override { return Name(u"DIR"); }
    const char16_t* CameraName() override { return Name(u"X1"); }
    const char16_t* ImageWidth() override { return Name(u"X2"); }
    const char16_t* ImageHeight() override { return Name(u"X3"); }
    const char16_t* OriginalName() override { return Name(u"O"); }
    const char16_t* OriginalDirectory() override { return Name(u"P"); }
    const char16_t* Counter(int digits) override { return Name(u"C" + Decimal(digits)); }
    const char16_t* OriginalNameRange(int first, int last) override {
        return Name(u"O" + Decimal(first) + u"-" + Decimal(last));
    }
    void CaseToken(CaseMode mode) override {
        caseMode = mode;
        ++caseCalls;
    }

    CaseMode caseMode = CaseMode::kNone;
    int caseCalls = 0;

  private:
    const char16_t* Name(const std::u16string& name) {
        // Overwritten by the next call, as the interface allows.
        text_ = u"[" + name + u"]";
        return text_.c_str();
    }
    static std::u16string Decimal(int value) {
        const std::string digits = std::to_string(value);
        return std::u16string(digits.begin(), digits.end());
    }

    std::u16string text_;
};
