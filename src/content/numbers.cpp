// Reading a decimal float the same on every C++ library: the characters are
// gathered here and converted by strtof, which every C library rounds
// correctly for decimal text.
#include "content/numbers.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

namespace tether {

bool readFloat(std::istream& in, float& value)
{
    const std::istream::sentry ready(in); // skips white space; fails at the end
    if (!ready)
        return false;
    std::streambuf* source = in.rdbuf();
    using Traits = std::char_traits<char>;
    std::string text;
    bool digits = false, point = false, exponent = false;
    int c = source->sgetc();
    if (c == '+' || c == '-') {
        text.push_back(static_cast<char>(c));
        c = source->snextc();
    }
    while (c != Traits::eof()) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && !exponent && digits) {
            exponent = true;
            text.push_back('e');
            c = source->snextc();
            if (c == '+' || c == '-') {
                text.push_back(static_cast<char>(c));
                c = source->snextc();
            }
            continue;
        } else {
            break;
        }
        text.push_back(static_cast<char>(c));
        c = source->snextc();
    }
    std::ios_base::iostate state = c == Traits::eof() ? std::ios_base::eofbit : std::ios_base::goodbit;
    char* end = nullptr;
    errno = 0;
    const float read = std::strtof(text.c_str(), &end);
    constexpr float largest = std::numeric_limits<float>::max();
    if (text.empty() || *end != '\0') {
        value = 0;
        state |= std::ios_base::failbit;
    } else if (read > largest || read < -largest) {
        value = read > 0 ? largest : -largest;
        state |= std::ios_base::failbit;
    } else {
        value = read;
    }
    in.setstate(state);
    return !in.fail();
}

} // namespace tether
