#include "settings/settings_store.h"

#include "platform/setup_dialog.h"
#include "settings/replace_all.h"

namespace rezov {

const char kSettingsFile[] = "Plugins\\VARNO.ini";
const char kSettingsSection[] = "Settings";

namespace {

const char kAddressTag[] = "ADDRESS: ";
const char kSoapBoxTag[] = "SOAPBOX: ";
const char kWhiteSpace[] = " \t\n\v\f\r";

class SettingsFile {
 public:
  explicit SettingsFile(Platform& platform) : platform_(platform) {}

  std::string Read(const char* key, const std::string& fallback = std::string()) {
    return platform_.ReadProfileString(kSettingsFile, kSettingsSection, key, fallback,
                                       kSettingsReadBuffer);
  }
  // Every entry together: the file changes only when all of them reach it.
  void Write(const std::vector<ProfileEntry>& entries) {
    (void)platform_.WriteProfileStrings(kSettingsFile, kSettingsSection, entries);
  }

 private:
  Platform& platform_;
};

void Load(StationSettings& s, SettingsFile& file, const std::string& callSign) {
  s.callSign = callSign;
  s.fileBase = FileBaseFor(callSign);
  s.operators = file.Read("Operators", callSign);
  s.name = file.Read("Name");
  s.address = StoredToDisplay(file.Read("Address"));
  s.claimed = file.Read("Claimed");
  s.contest = "MSK";
  s.categoryOperator = "SINGLE-OP";
  s.categoryBand = "160";
  s.categoryPower = "HIGH";
  s.categoryOverlay = "SO160";
  s.email = file.Read("Email");
  s.club = file.Read("Club");
  s.soapBox = StoredToDisplay(file.Read("SoapBox"));
  s.location = file.Read("Location");
}

// The record's fields paired with the dialog's, for both directions of the
// exchange. CLAIMED only goes into the dialog: the score is computed, never
// typed.
struct FieldBinding {
  DialogField field;
  std::string StationSettings::*member;
};
const FieldBinding kBindings[] = {
    {DialogField::kCallSign, &StationSettings::callSign},
    {DialogField::kOperators, &StationSettings::operators},
    {DialogField::kCategoryOperator, &StationSettings::categoryOperator},
    {DialogField::kCategoryBand, &StationSettings::categoryBand},
    {DialogField::kCategoryPower, &StationSettings::categoryPower},
    {DialogField::kCategoryOverlay, &StationSettings::categoryOverlay},
    {DialogField::kName, &StationSettings::name},
    {DialogField::kAddress, &StationSettings::address},
    {DialogField::kContest, &StationSettings::contest},
    {DialogField::kEmail, &StationSettings::email},
    {DialogField::kClub, &StationSettings::club},
    {DialogField::kSoapBox, &StationSettings::soapBox},
    {DialogField::kLocation, &StationSettings::location},
};

void FillDialog(SetupDialog& dialog, const StationSettings& s) {
  for (const FieldBinding& b : kBindings) dialog.setText(b.field, s.*b.member);
  dialog.setText(DialogField::kClaimed, s.claimed);
}

void TakeBack(StationSettings& s, const SetupDialog& dialog) {
  for (const FieldBinding& b : kBindings) s.*b.member = dialog.text(b.field);
}

void Save(const StationSettings& s, SettingsFile& file) {
  file.Write({{"Operators", s.operators},
              {"Name", s.name},
              {"Address", s.address},
              {"Category", s.categoryOperator},
              {"Contest", s.contest},
              {"Email", s.email},
              {"Club", s.club},
              {"SoapBox", s.soapBox},
              {"Location", s.location}});
}

}  // namespace

std::string StoredToDisplay(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "<CR>", "\r"), "<LF>", "\n");
}

std::string DisplayToStored(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "\r", "<CR>"), "\n", "<LF>");
}

std::string StoredToContinuation(const std::string& text, const std::string& tag) {
  return ReplaceAll(ReplaceAll(text, "<CR>", "\r\n" + tag), "<LF>", "");
}

std::string FileBaseFor(const std::string& callSign) {
  const std::string slashed = ReplaceAll(ReplaceAll(callSign, "/", "_"), "\\", "_");
  const std::string::size_type first = slashed.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) return "VARNO";
  const std::string::size_type last = slashed.find_last_not_of(kWhiteSpace);
  return slashed.substr(first, last - first + 1);
}

int EditStationSettings(Platform& platform, StationSettings& s, const std::string& callSign) {
  SettingsFile file(platform);
  Load(s, file, callSign);
  SetupDialog dialog;
  FillDialog(dialog, s);
  const bool confirmed = platform.ShowSetupDialog(dialog) == kDialogOk;
  if (confirmed) TakeBack(s, dialog);
  s.address = DisplayToStored(s.address);
  s.soapBox = DisplayToStored(s.soapBox);
  // Only a confirmed dialog is saved; either way the header gets tagged
  // continuation lines and the export starts from an empty list.
  if (confirmed) Save(s, file);
  s.soapBox = StoredToContinuation(s.soapBox, kSoapBoxTag);
  s.address = StoredToContinuation(s.address, kAddressTag);
  s.qsoLines.clear();
  return confirmed ? 1 : 0;
}

void StoreClaimedScore(Platform& platform, std::int32_t score) {
  SettingsFile(platform).Write({{"Claimed", std::to_string(score)}});
}

}  // namespace rezov
