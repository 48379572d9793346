// The setup dialog as data: its fourteen texts, the combo box lists and the
// rules by which texts go into the controls and come back. Every window
// toolkit that shows the dialog uses these rules; it only draws.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace rezov {

enum class DialogField : std::size_t {
  kCallSign,
  kClaimed,
  kClub,
  kCategoryOperator,
  kContest,
  kEmail,
  kName,
  kOperators,
  kSoapBox,
  kAddress,
  kCategoryBand,
  kCategoryOverlay,
  kCategoryPower,
  kLocation,
};
constexpr std::size_t kDialogFieldCount = 14;

enum class ControlKind { kEdit, kMultiLineEdit, kCombo };

struct DialogFieldInfo {
  DialogField field;
  const char* label;
  int controlId;
  ControlKind kind;
};

// The fields in exchange order, with their labels and controls.
const std::array<DialogFieldInfo, kDialogFieldCount>& DialogFields();

// The field whose label is `label` (exact), or null.
const DialogFieldInfo* FindDialogField(const std::string& label);

// A combo box's items in the order they are added, and in the order it shows
// them (sorted for the sorted lists).
const std::vector<std::string>& ComboItems(DialogField field);
std::vector<std::string> ComboShownOrder(DialogField field);

// What a combo box shows for a field text: the first item, in shown order,
// that begins with the text regardless of letter case; or, when none does
// (or the text is empty), the text itself in the edit part with no item
// selected.
struct ComboShown {
  int selected = -1;  // index in shown order, -1 for none
  std::string text;
};
ComboShown ComboLoad(DialogField field, const std::string& text);

class SetupDialog {
 public:
  const std::string& text(DialogField field) const {
    return texts_[static_cast<std::size_t>(field)];
  }
  void setText(DialogField field, std::string value) {
    texts_[static_cast<std::size_t>(field)] = std::move(value);
  }

 private:
  std::array<std::string, kDialogFieldCount> texts_;
};

// The texts the controls show when the dialog opens, field by field.
std::array<std::string, kDialogFieldCount> ShownTexts(const SetupDialog& dialog);

}  // namespace rezov
