#include "tests/support/fake_platform.h"

namespace rezov {

UtcTime FakePlatform::UtcNow() { return now; }

std::string FakePlatform::DateText(const OleDate& date) { return RussianDateText(date); }

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string FakePlatform::ReadProfileString(const std::string& file, const std::string& section,
                                            const std::string& key, const std::string& fallback,
                                            std::size_t bufferSize) {
  const auto it = profile.find(ProfileKey{file, section, key});
  const std::string& value = it == profile.end() ? fallback : it->second;
  return value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
}

Status FakePlatform::WriteProfileStrings(const std::string& file, const std::string& section,
                                         const std::vector<ProfileEntry>& entries) {
  if (recording) {
    for (const ProfileEntry& e : entries) profileWrites.push_back({file, section, e.key, e.value});
  }
  if (profileWritesFail) return Fail("Permission denied");
  for (const ProfileEntry& e : entries) profile[ProfileKey{file, section, e.key}] = e.value;
  return {};
}

void FakePlatform::StartProgram(const std::string& commandLine) {
  if (recording) startedPrograms.push_back(commandLine);
}

void FakePlatform::ShowMessage(MessageOwner owner, const std::string& text,
                               const std::optional<std::string>& caption, unsigned style) {
  if (recording) messages.push_back({owner, text, caption, style});
}

int FakePlatform::ShowSetupDialog(SetupDialog& d) {
  std::string shown;
  for (const DialogFieldInfo& info : DialogFields()) {
    shown += std::string(info.label) + "=" + d.text(info.field) + "\n";
  }
  shownDialogs.push_back(recording ? shown : std::string());
  return dialog(d);
}

void FakePlatform::Answer(const DialogAnswer& answer) {
  dialog = [answer](SetupDialog& d) {
    for (const auto& [field, text] : answer.edits) d.setText(field, text.substr(0, text.find('\0')));
    return answer.result;
  };
}

std::optional<std::string> FakePlatform::ReadOrCreateFile(const std::string& path) {
  if (unreadableFiles.count(path)) return std::nullopt;
  return files[path];
}

Status FakePlatform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  if (unwritableFiles.count(path) || (unwritableFiles.count("*.cbr") && EndsWith(path, ".cbr"))) {
    return Fail("Permission denied");
  }
  files[path] = bytes;
  return {};
}

std::string FakePlatform::Profile(const std::string& key) const {
  const auto it = profile.find(ProfileKey{"Plugins\\VARNO.ini", "Settings", key});
  return it == profile.end() ? std::string("<absent>") : it->second;
}

void FakePlatform::Clear() {
  const bool keepRecording = recording;
  *this = FakePlatform();
  recording = keepRecording;
}

}  // namespace rezov
