// Text that came from outside (device strings, file names, arguments) made safe to show on
// one line, in a terminal or in a window. No Qt: the serial side may use it too.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The bytes with every control character and every byte that is not valid UTF-8 escaped,
// so the result holds no tab, line break or escape sequence and is valid UTF-8:
//   tab, line feed, carriage return  ->  \t  \n  \r
//   backslash                        ->  \\   (so that an escape is never ambiguous)
//   other C0 controls, DEL           ->  \xNN (two lower-case hex digits: ESC is \x1b)
//   C1 controls (U+0080 to U+009F)   ->  \xc2\xNN, the two bytes of their UTF-8 form
//   a byte that is not valid UTF-8   ->  \xNN (overlong forms, surrogates, stray or
//                                         missing continuation bytes, above U+10FFFF)
// Every other character, accented letters included, is kept as it is.
std::string EscapeUnprintable(std::string_view bytes);

// An argument as an error message names it: escaped as above, between the quotation marks of
// the program's language (« » in French, “ ” in English).
std::string QuotedArgument(std::string_view argument);

} // namespace platform
