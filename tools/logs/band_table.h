// Amateur bands as logs name them, and the exact decimal frequency texts of
// ADIF (MHz) and Cabrillo (kHz).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rezov {

// The value of a decimal text ("1.8345") in units of 10^-scaleDigits, by
// integer arithmetic only: "1.8345" with 6 digits of scale gives 1834500.
// Digits beyond the scale are dropped (the value is rounded down, as the
// module rounds Hz down to kHz). Empty when the text is not digits with at
// most one point, or when the value does not fit an unsigned 32-bit number.
std::optional<std::uint32_t> DecimalToUnits(const std::string& text, int scaleDigits);

// The band in metres without its unit ("160", "80", "0.7" for 70 cm) for an
// ADIF band name ("160m", "160M", "70cm"), or empty for a name that is not
// an amateur band.
std::optional<std::string> BandFromAdifName(const std::string& name);

// The band in metres of a frequency in Hz, or empty outside the bands.
std::optional<std::string> BandOfFrequency(std::uint32_t hz);

// True when `hz` lies inside the band `metres` ("160").
bool FrequencyInBand(std::uint32_t hz, const std::string& metres);

// The lower edge of the band `metres` in Hz: the frequency of a contact
// whose log gives only its band.
std::optional<std::uint32_t> LowerEdgeHz(const std::string& metres);

// A band typed on the command line: "160", "160m" or "160M" all give "160".
std::optional<std::string> BandFromTyped(const std::string& text);

}  // namespace rezov
