// The one escaper of every page the tools write, and of the file names its
// links name.
#pragma once

#include <string>
#include <string_view>

namespace rezov {

// Text made safe for an HTML page, in element content and in quoted
// attribute values alike: & < > " ' become character references, and
// control bytes other than tab and line feed (a CR of a CR LF line end, a
// NUL a hostile log slipped in) are dropped, so that nothing a log holds
// can end an element, an attribute or a line of the page's source.
std::string HtmlEscaped(std::string_view text);

// Text made one segment of a URL, for a link to a file by its name: every
// byte but the letters, the digits and - . _ ~ becomes %XX, so that a '%',
// a '#', a '?' or a '/' in a name is never read as a part of the URL.
std::string PercentEncoded(std::string_view text);

}  // namespace rezov
