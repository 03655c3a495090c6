#pragma once
// The Profiles tab: the camera profiles and the selected one's drive
// letters, mapping options, alias and file name format. Edits live in the
// page's records until the main dialog's OK or Apply stores them; the format
// is edited in the builder, which hands it back as WM_COPYDATA.
#include <string>

#include "applet/page_win32.h"
#include "applet/profiles/profile_order.h"
#include "config/profile_record.h"

class CProfilesPage : public CPage {
  public:
    void UpdateTexts(bool reload) override;

  protected:
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void SetUpColumns();
    void FillList();
    void SortRows();
    void OnColumnClick(int column);
    // After the list's selection moved, and after a deletion.
    void OnSelectionChanged();
    void ShowProfile(ProfileRecord& record);
    void ClearProfile();
    void StoreShownProfile();
    void StoreControls(ProfileRecord& record) const;
    void RefreshRow(const ProfileRecord& record) const;
    void FillDriveLetters(char16_t letter, char16_t letter2);
    void UpdateControlStates() const;
    void OnAutoMapClicked();
    void OnSecondSlotClicked();
    void OnAliasChanged() const;
    void OnDelete();
    void OnChangeFormat() const;
    void OnFormatHandBack(const COPYDATASTRUCT& data);
    void UpdateExample(bool markModified) const;
    void SetDefaultRowText() const;
    void FitAutoMapCheckBox() const;
    ProfileRecord* ShownRecord() const;

    ProfileList profiles_;
    ProfileList deleted_;
    int shown_ = -1;  // list index of the profile in the controls
    std::u16string currentFormat_;
    int sortKey_ = sort_key::kInitial;
    bool autoMap_ = false;
    bool secondSlot_ = false;
    bool multiCardSystem_ = false;
    // Set while the page itself changes the rows, whose notifications are
    // not the user's selection.
    bool changingRows_ = false;
};
