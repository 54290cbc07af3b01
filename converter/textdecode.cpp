#include "textdecode.h"

#include <cstdint>

// Hand-written rather than iconv: iconv stops at the first malformed byte and
// has no notion of replacing it, and U+FFFD per malformed sequence is the point.

namespace converter {
namespace {

enum class Encoding { Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be };

struct Detected {
    Encoding encoding;
    std::size_t markLength;
};

bool startsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

Detected detectEncoding(std::string_view bytes) {
    using namespace std::string_view_literals;
    // UTF-32 LE first: its mark begins with the UTF-16 LE mark.
    if (startsWith(bytes, "\xFF\xFE\x00\x00"sv))
        return {Encoding::Utf32Le, 4};
    if (startsWith(bytes, "\x00\x00\xFE\xFF"sv))
        return {Encoding::Utf32Be, 4};
    if (startsWith(bytes, "\xEF\xBB\xBF"sv))
        return {Encoding::Utf8, 3};
    if (startsWith(bytes, "\xFF\xFE"sv))
        return {Encoding::Utf16Le, 2};
    if (startsWith(bytes, "\xFE\xFF"sv))
        return {Encoding::Utf16Be, 2};
    return {Encoding::Utf8, 0};
}

std::uint8_t byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

bool isContinuation(std::uint8_t b) {
    return (b & 0xC0) == 0x80;
}

// Replaces each maximal ill-formed subpart by one U+FFFD, the practice the
// Unicode standard recommends (and the one .NET and browsers follow).
void decodeUtf8(std::string_view bytes, std::u32string& out) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = byteAt(bytes, i);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint8_t secondLow = 0x80, secondHigh = 0xBF;
        char32_t value = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            value = lead & 0x0F;
            if (lead == 0xE0)
                secondLow = 0xA0; // no overlong forms
            if (lead == 0xED)
                secondHigh = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07;
            if (lead == 0xF0)
                secondLow = 0x90;
            if (lead == 0xF4)
                secondHigh = 0x8F; // nothing above U+10FFFF
        }
        std::size_t taken = 1;
        bool complete = length != 0;
        while (complete && taken < length) {
            const bool inRange = i + taken < bytes.size();
            const std::uint8_t b = inRange ? byteAt(bytes, i + taken) : 0;
            const bool valid = taken == 1 ? inRange && b >= secondLow && b <= secondHigh
                                          : inRange && isContinuation(b);
            if (!valid)
                complete = false;
            else {
                value = (value << 6) | (b & 0x3F);
                ++taken;
            }
        }
        out.push_back(complete ? value : kReplacementCharacter);
        i += taken;
    }
}

std::uint32_t readUnit(std::string_view bytes, std::size_t at, std::size_t size, bool bigEndian) {
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < size; ++k) {
        const std::size_t index = bigEndian ? at + k : at + size - 1 - k;
        value = (value << 8) | byteAt(bytes, index);
    }
    return value;
}

void decodeUtf16(std::string_view bytes, bool bigEndian, std::u32string& out) {
    std::size_t i = 0;
    while (i + 2 <= bytes.size()) {
        const std::uint32_t unit = readUnit(bytes, i, 2, bigEndian);
        i += 2;
        if (unit < 0xD800 || unit > 0xDFFF) {
            out.push_back(unit);
        } else if (unit <= 0xDBFF && i + 2 <= bytes.size()) {
            const std::uint32_t low = readUnit(bytes, i, 2, bigEndian);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
            } else {
                out.push_back(kReplacementCharacter); // the next unit is read on its own
            }
        } else {
            out.push_back(kReplacementCharacter);
        }
    }
    if (i < bytes.size())
        out.push_back(kReplacementCharacter); // a lone last byte
}

void decodeUtf32(std::string_view bytes, bool bigEndian, std::u32string& out) {
    std::size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) {
        const std::uint32_t value = readUnit(bytes, i, 4, bigEndian);
        const bool valid = value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
        out.push_back(valid ? value : kReplacementCharacter);
    }
    if (i < bytes.size())
        out.push_back(kReplacementCharacter);
}

} // namespace

std::u32string decodeText(std::string_view bytes) {
    const Detected detected = detectEncoding(bytes);
    const std::string_view body = bytes.substr(detected.markLength);
    std::u32string text;
    switch (detected.encoding) {
    case Encoding::Utf8:
        text.reserve(body.size());
        decodeUtf8(body, text);
        break;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        text.reserve(body.size() / 2 + 1);
        decodeUtf16(body, detected.encoding == Encoding::Utf16Be, text);
        break;
    case Encoding::Utf32Le:
    case Encoding::Utf32Be:
        text.reserve(body.size() / 4 + 1);
        decodeUtf32(body, detected.encoding == Encoding::Utf32Be, text);
        break;
    }
    return text;
}

} // namespace converter
