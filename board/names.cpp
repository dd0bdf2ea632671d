#include "board/names.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace {

// The next character's code point, or -1 where the bytes are not UTF-8 as
// it is written (no overlong forms, no surrogates, nothing past U+10FFFF).
long nextCodePoint(const std::string& text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned first = byte(at);
    const int length = first < 0x80         ? 1
                       : (first >> 5) == 6  ? 2
                       : (first >> 4) == 14 ? 3
                       : (first >> 3) == 30 ? 4
                                            : 0;
    if (length == 0 || at + length > text.size()) {
        return -1;
    }
    long point = length == 1 ? first : first & (0x7f >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xc0) != 0x80) {
            return -1;
        }
        point = point << 6 | (byte(at + i) & 0x3f);
    }
    constexpr long least[] = {0, 0, 0x80, 0x800, 0x10000};
    at += length;
    const bool surrogate = point >= 0xd800 && point <= 0xdfff;
    return point < least[length] || surrogate || point > 0x10ffff ? -1 : point;
}

// Letters and digits of every script, as the C library's Unicode locale
// classes them (its letters take in the vowel signs that scripts such as
// Devanagari and Thai write inside words).
bool letterOrDigit(long point) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (point < 0x80) {
        return (point >= 'a' && point <= 'z') || (point >= 'A' && point <= 'Z') ||
               (point >= '0' && point <= '9');
    }
    return unicode && iswalnum_l(static_cast<wint_t>(point), unicode);
}

} // namespace

std::string whatIsWrongWithName(const std::string& name) {
    int characters = 0;
    for (std::size_t at = 0; at < name.size();) {
        const long point = nextCodePoint(name, at);
        if (point < 0) {
            return "name: not text (UTF-8)";
        }
        if (!letterOrDigit(point) && point != ' ' && point != '-' && point != '_') {
            return "name: letters, digits, spaces, - and _ only";
        }
        ++characters;
    }
    if (characters == 0) {
        return "name: empty (1 to 16 letters, digits, spaces, - or _)";
    }
    if (characters > mostNameCharacters) {
        return "name: longer than 16 characters";
    }
    if (name.front() == ' ' || name.back() == ' ') {
        return "name: it may not begin or end with a space";
    }
    return "";
}
