#pragma once
// Describe mode for the token editor: every token of a format becomes its
// button, and the case token selects the case list's entry.
#include <string>

#include "common/format/format_file_name.h"

class CTokenButtonRenderer : public TokenRenderer {
  public:
    const char16_t* YearLong() override;
    const char16_t* MonthLong() override;
    const char16_t* DayLong() override;
    const char16_t* YearShort() override;
    const char16_t* MonthShort() override;
    const char16_t* DayShort() override;
    const char16_t* HourLong() override;
    const char16_t* MinuteLong() override;
    const char16_t* SecondLong() override;
    const char16_t* HourShort() override;
    const char16_t* MinuteShort() override;
    const char16_t* SecondShort() override;
    const char16_t* AmPm() override;
    const char16_t* DirectorySeparator() override;
    const char16_t* CameraName() override;
    const char16_t* ImageWidth() override;
    const char16_t* ImageHeight() override;
    const char16_t* OriginalName() override;
    const char16_t* OriginalDirectory() override;
    const char16_t* Counter(int digits) override;
    const char16_t* OriginalNameRange(int first, int last) override;
    void CaseToken(CaseMode mode) override;

    // The case list's entry for the case token seen: 0 "Unchanged", 1
    // "Lowercase", 2 "Uppercase"; 0 until one is seen.
    int CaseIndex() const { return caseIndex_; }

  private:
    const char16_t* Keep(std::u16string html);

    std::u16string html_;
    int caseIndex_ = 0;
};
