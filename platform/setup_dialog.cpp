#include "platform/setup_dialog.h"

#include <algorithm>
#include <cctype>

#include "resources/rezov_resource.h"

namespace rezov {
namespace {

const std::vector<std::string> kNoItems;
const std::vector<std::string> kOperatorItems = {"SINGLE-OP", "MULTI-OP"};
const std::vector<std::string> kBandItems = {"ALL", "160", "80"};
const std::vector<std::string> kPowerItems = {"HIGH", "LOW"};
const std::vector<std::string> kOverlayItems = {"SO", "SO160", "SO80", "MOST"};

bool IsSorted(DialogField field) {
  return field == DialogField::kCategoryPower || field == DialogField::kCategoryOverlay;
}

unsigned char Lower(unsigned char c) { return static_cast<unsigned char>(std::tolower(c)); }

bool BeginsWithIgnoringCase(const std::string& item, const std::string& prefix) {
  if (prefix.size() > item.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(static_cast<unsigned char>(item[i])) !=
        Lower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return Lower(static_cast<unsigned char>(x)) < Lower(static_cast<unsigned char>(y));
      });
}

}  // namespace

const std::array<DialogFieldInfo, kDialogFieldCount>& DialogFields() {
  static const std::array<DialogFieldInfo, kDialogFieldCount> fields = {{
      {DialogField::kCallSign, "CALLSIGN", IDC_CALLSIGN, ControlKind::kEdit},
      {DialogField::kClaimed, "CLAIMED", IDC_CLAIMED, ControlKind::kEdit},
      {DialogField::kClub, "CLUB", IDC_CLUB, ControlKind::kEdit},
      {DialogField::kCategoryOperator, "CATEGORY-OPERATOR", IDC_CATEGORY_OPERATOR, ControlKind::kCombo},
      {DialogField::kContest, "CONTEST", IDC_CONTEST, ControlKind::kEdit},
      {DialogField::kEmail, "E-MAIL", IDC_EMAIL, ControlKind::kEdit},
      {DialogField::kName, "NAME", IDC_NAME, ControlKind::kEdit},
      {DialogField::kOperators, "OPERATORS", IDC_OPERATORS, ControlKind::kEdit},
      {DialogField::kSoapBox, "SOAPBOX", IDC_SOAPBOX, ControlKind::kMultiLineEdit},
      {DialogField::kAddress, "ADDRESS", IDC_ADDRESS, ControlKind::kMultiLineEdit},
      {DialogField::kCategoryBand, "CATEGORY-BAND", IDC_CATEGORY_BAND, ControlKind::kCombo},
      {DialogField::kCategoryOverlay, "CATEGORY-OVERLAY", IDC_CATEGORY_OVERLAY, ControlKind::kCombo},
      {DialogField::kCategoryPower, "CATEGORY-POWER", IDC_CATEGORY_POWER, ControlKind::kCombo},
      {DialogField::kLocation, "LOCATION", IDC_LOCATION, ControlKind::kEdit},
  }};
  return fields;
}

const DialogFieldInfo* FindDialogField(const std::string& label) {
  for (const DialogFieldInfo& info : DialogFields()) {
    if (label == info.label) return &info;
  }
  return nullptr;
}

const std::vector<std::string>& ComboItems(DialogField field) {
  switch (field) {
    case DialogField::kCategoryOperator: return kOperatorItems;
    case DialogField::kCategoryBand: return kBandItems;
    case DialogField::kCategoryPower: return kPowerItems;
    case DialogField::kCategoryOverlay: return kOverlayItems;
    default: return kNoItems;
  }
}

std::vector<std::string> ComboShownOrder(DialogField field) {
  std::vector<std::string> items = ComboItems(field);
  // Sorted combo boxes order their items without regard to letter case.
  if (IsSorted(field)) std::stable_sort(items.begin(), items.end(), LessIgnoringCase);
  return items;
}

ComboShown ComboLoad(DialogField field, const std::string& text) {
  const std::vector<std::string> shown = ComboShownOrder(field);
  if (!text.empty()) {
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (BeginsWithIgnoringCase(shown[i], text)) return {static_cast<int>(i), shown[i]};
    }
  }
  return {-1, text};
}

std::array<std::string, kDialogFieldCount> ShownTexts(const SetupDialog& dialog) {
  std::array<std::string, kDialogFieldCount> shown;
  for (const DialogFieldInfo& info : DialogFields()) {
    const std::string& text = dialog.text(info.field);
    shown[static_cast<std::size_t>(info.field)] =
        info.kind == ControlKind::kCombo ? ComboLoad(info.field, text).text : text;
  }
  return shown;
}

}  // namespace rezov
