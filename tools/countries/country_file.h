// The standard country file of contest loggers (cty.dat): which DXCC
// entity a call belongs to, given as the entity's primary prefix ("UA",
// "UA2", "UA9", "UR", ...).
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/result.h"

namespace rezov {

class CountryFile {
 public:
  // Reads the records of a cty.dat text; fails when the text holds no
  // complete record or ends inside one.
  // Entities whose primary prefix starts with '*' (entities of other award
  // lists only) are left out: their calls fall to their DXCC entity.
  Status Parse(const std::string& text);

  // Adds the DXCC entity numbers of a cty.csv text (primary prefix in the
  // first column, entity number in the third). Returns how many it added.
  std::size_t AddDxccNumbers(const std::string& csvText);

  // The primary prefix of the call's entity: an exact "=CALL" entry first,
  // then the longest alias prefix. In a portable call the parts /P, /M,
  // /MM, /AM, /QRP, /QRPP, /A, /B, /LH and /R are ignored; a lone digit
  // (CALL/3) moves the call into that call area; of two remaining parts the
  // shorter (the first when both are as long) is the prefix that designates
  // the entity. Empty when nothing matches.
  std::optional<std::string> PrefixOfCall(const std::string& call) const;

  // The primary prefix of a DXCC entity number, if the numbers were added.
  std::optional<std::string> PrefixOfDxcc(int dxcc) const;

  std::size_t entityCount() const { return primaries_.size(); }

 private:
  std::optional<std::string> LongestPrefix(const std::string& text) const;
  std::optional<std::string> Exact(const std::string& call) const;
  void AddAliases(const std::string& aliases, std::size_t entity);

  std::vector<std::string> primaries_;
  std::map<std::string, std::size_t> prefixes_;
  std::map<std::string, std::size_t> exactCalls_;
  std::map<int, std::string> dxcc_;
};

}  // namespace rezov
