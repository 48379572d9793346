// OLE dates as text in the user's regional format.
#pragma once

#include <string>

#include "platform/ole_date.h"

namespace rezov {

// VarBstrFromDate with the user's default locale and no flags, in the ANSI
// code page: "05.03.2012" or "3/5/2012 7:00:00 PM", depending on the user.
// Empty for a null or invalid date, a value that is not a finite number,
// and a value the conversion refuses.
std::string Win32DateText(const OleDate& date);

}  // namespace rezov
