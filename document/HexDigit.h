// The value of one hexadecimal digit, for narrow and wide texts alike.
#pragma once

namespace qv {

// 0 to 15 for a digit of either case, -1 for any other character.
template <typename Char> constexpr int HexDigitValue(Char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace qv
