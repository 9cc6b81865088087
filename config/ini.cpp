// INI reader and writer with the observable behaviour of the Windows profile-string calls.
// The file is handled in its own code units (bytes for UTF-8, 16-bit units for UTF-16LE)
// so that a write can splice new text in and leave every other byte as it was.
#include "config/ini.h"

#include <cstdint>
#include <mutex>

#include "config/file_io.h"

namespace zrv {

namespace {

enum class Encoding { Utf8, Utf8Bom, Utf16Le };

// A file split into a byte prefix (BOM), its text in code units, and a byte suffix
// (the stray last byte of a UTF-16 file with an odd length).
struct IniText {
    Encoding encoding = Encoding::Utf8;
    std::string utf8;       // text when the encoding is UTF-8
    std::u16string utf16;   // text when the encoding is UTF-16LE
    std::string oddTail;
};

IniText Decode(std::string&& bytes) {
    IniText t;
    if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF && static_cast<uint8_t>(bytes[1]) == 0xFE) {
        t.encoding = Encoding::Utf16Le;
        const size_t units = (bytes.size() - 2) / 2;
        t.utf16.resize(units);
        for (size_t i = 0; i < units; ++i)
            t.utf16[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 + 2 * i]) |
                                               (static_cast<uint8_t>(bytes[3 + 2 * i]) << 8));
        if ((bytes.size() - 2) % 2) t.oddTail = bytes.substr(bytes.size() - 1);
    } else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        t.encoding = Encoding::Utf8Bom;
        t.utf8 = std::move(bytes);
        t.utf8.erase(0, 3);
    } else {
        t.utf8 = std::move(bytes);
    }
    return t;
}

std::string Encode(const IniText& t) {
    switch (t.encoding) {
        case Encoding::Utf8: return t.utf8;
        case Encoding::Utf8Bom: return "\xEF\xBB\xBF" + t.utf8;
        case Encoding::Utf16Le: {
            std::string bytes = "\xFF\xFE";
            bytes.reserve(2 + t.utf16.size() * 2 + t.oddTail.size());
            for (char16_t u : t.utf16) {
                bytes.push_back(static_cast<char>(u & 0xFF));
                bytes.push_back(static_cast<char>(u >> 8));
            }
            return bytes + t.oddTail;
        }
    }
    return {};
}

constexpr char32_t kReplacement = 0xFFFD;

// Next code point of UTF-8 text; invalid sequences give U+FFFD and advance one byte.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto b0 = static_cast<uint8_t>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) extra = 1, cp = b0 & 0x1F, min = 0x80;
    else if ((b0 & 0xF0) == 0xE0) extra = 2, cp = b0 & 0x0F, min = 0x800;
    else if ((b0 & 0xF8) == 0xF0) extra = 3, cp = b0 & 0x07, min = 0x10000;
    else {
        ++i;
        return kReplacement;
    }
    if (i + extra >= s.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<uint8_t>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += 1 + extra;
    return cp;
}

// Next code point of UTF-16 text; a lone surrogate gives U+FFFD.
char32_t NextCodePoint(std::u16string_view s, size_t& i) {
    const char16_t u = s[i++];
    if (u < 0xD800 || u > 0xDFFF) return u;
    if (u <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF)
        return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (s[i++] - 0xDC00);
    return kReplacement;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendUnits(std::string& out, char32_t cp) { AppendUtf8(out, cp); }
void AppendUnits(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Caller text (UTF-8) in the file's code units; invalid input becomes U+FFFD.
template <class C>
std::basic_string<C> ToUnits(std::string_view utf8) {
    std::basic_string<C> out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) AppendUnits(out, NextCodePoint(utf8, i));
    return out;
}

// File text as UTF-8, after at most maxCodePoints code points. A value ends at a NUL,
// as it would in the C string the Windows call fills.
template <class C>
std::string ToUtf8(std::basic_string_view<C> s, size_t maxCodePoints) {
    std::string out;
    size_t count = 0;
    for (size_t i = 0; i < s.size() && count < maxCodePoints; ++count) {
        const char32_t cp = NextCodePoint(s, i);
        if (cp == 0) break;
        AppendUtf8(out, cp);
    }
    return out;
}

template <class C>
constexpr C AsciiLower(C c) {
    return c >= C('A') && c <= C('Z') ? static_cast<C>(c - C('A') + C('a')) : c;
}

template <class C>
bool NamesEqual(std::basic_string_view<C> a, std::basic_string_view<C> b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

std::string AsciiLowered(std::string s) {
    for (char& c : s) c = AsciiLower(c);
    return s;
}

template <class C>
constexpr bool IsBlank(C c) {
    return c == C(' ') || c == C('\t') || c == C('\v') || c == C('\f');
}

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line: [begin, contentEnd) is its text, [contentEnd, end) its line ending.
// name and value are trimmed ranges inside the text (section name or key name and value).
struct Line {
    size_t begin = 0, contentEnd = 0, end = 0;
    LineKind kind = LineKind::Blank;
    size_t nameBegin = 0, nameEnd = 0, valueBegin = 0, valueEnd = 0;
};

template <class C>
void Trim(std::basic_string_view<C> s, size_t& b, size_t& e) {
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
}

template <class C>
Line ClassifyLine(std::basic_string_view<C> s, size_t begin, size_t contentEnd, size_t end) {
    Line line{begin, contentEnd, end};
    size_t i = begin;
    while (i < contentEnd && IsBlank(s[i])) ++i;
    if (i == contentEnd) return line;
    if (s[i] == C(';') || s[i] == C('#')) {
        line.kind = LineKind::Comment;
        return line;
    }
    if (s[i] == C('[')) {
        size_t close = i + 1;
        while (close < contentEnd && s[close] != C(']')) ++close;
        if (close == contentEnd) {
            line.kind = LineKind::Other;
            return line;
        }
        line.kind = LineKind::Section;
        line.nameBegin = i + 1;
        line.nameEnd = close;
        Trim(s, line.nameBegin, line.nameEnd);
        return line;
    }
    size_t eq = i;
    while (eq < contentEnd && s[eq] != C('=')) ++eq;
    if (eq == contentEnd) {
        line.kind = LineKind::Other;
        return line;
    }
    line.kind = LineKind::Key;
    line.nameBegin = i;
    line.nameEnd = eq;
    Trim(s, line.nameBegin, line.nameEnd);
    line.valueBegin = eq + 1;
    line.valueEnd = contentEnd;
    Trim(s, line.valueBegin, line.valueEnd);
    return line;
}

// Calls visit(line) for every line; stops early when visit returns false.
// A line ends at "\r\n", "\n" or a lone "\r".
template <class C, class Visit>
void ForEachLine(std::basic_string_view<C> s, Visit&& visit) {
    size_t pos = 0;
    while (pos < s.size()) {
        size_t e = pos;
        while (e < s.size() && s[e] != C('\n') && s[e] != C('\r')) ++e;
        size_t next = e;
        if (next < s.size()) next += (s[next] == C('\r') && next + 1 < s.size() && s[next + 1] == C('\n')) ? 2 : 1;
        if (!visit(ClassifyLine(s, pos, e, next))) return;
        pos = next;
    }
}

template <class C>
std::basic_string_view<C> Range(std::basic_string_view<C> s, size_t b, size_t e) {
    return s.substr(b, e - b);
}

// Value of the first matching key in the first matching section, or nothing.
template <class C>
std::string FindValue(std::basic_string_view<C> s, std::string_view section, std::string_view key, size_t maxCodePoints) {
    const auto wantedSection = ToUnits<C>(section);
    const auto wantedKey = ToUnits<C>(key);
    bool inSection = false;
    bool sectionSeen = false;
    std::string result;
    ForEachLine(s, [&](const Line& line) {
        if (line.kind == LineKind::Section) {
            if (sectionSeen) return false;
            inSection = NamesEqual<C>(Range(s, line.nameBegin, line.nameEnd), wantedSection);
            sectionSeen = inSection;
        } else if (inSection && line.kind == LineKind::Key &&
                   NamesEqual<C>(Range(s, line.nameBegin, line.nameEnd), wantedKey)) {
            result = ToUtf8(Range(s, line.valueBegin, line.valueEnd), maxCodePoints);
            return false;
        }
        return true;
    });
    return result;
}

template <class C>
std::basic_string_view<C> DetectLineEnding(std::basic_string_view<C> s) {
    static constexpr C crlf[] = {C('\r'), C('\n')};
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == C('\n')) return {crlf + 1, 1};
        if (s[i] == C('\r')) return (i + 1 < s.size() && s[i + 1] == C('\n')) ? std::basic_string_view<C>(crlf, 2)
                                                                                : std::basic_string_view<C>(crlf, 1);
    }
    // A new file gets Windows line endings so exported profiles read well everywhere.
    return {crlf, 2};
}

template <class C>
bool EndsWithLineBreak(std::basic_string_view<C> s) {
    return !s.empty() && (s.back() == C('\n') || s.back() == C('\r'));
}

// Writes the keys into the first matching section of the text, appending the section
// at the end of the file when it is missing. Keys are handled one after the other.
template <class C>
void EditSection(std::basic_string<C>& text, std::string_view section,
                 const std::vector<std::pair<std::string, std::string>>& keyValues) {
    using View = std::basic_string_view<C>;
    using Str = std::basic_string<C>;
    const View all(text);
    const Str eol(DetectLineEnding(all));
    const Str wantedSection = ToUnits<C>(section);

    size_t regionBegin = text.size(), regionEnd = text.size();
    bool found = false;
    ForEachLine(all, [&](const Line& line) {
        if (line.kind != LineKind::Section) return true;
        if (found) {
            regionEnd = line.begin;
            return false;
        }
        if (NamesEqual<C>(Range(all, line.nameBegin, line.nameEnd), wantedSection)) {
            found = true;
            regionBegin = line.begin;
        }
        return true;
    });

    // The section's lines, each with its own line ending (the last one may have none).
    std::vector<Str> lines;
    if (found) {
        const View region = all.substr(regionBegin, regionEnd - regionBegin);
        ForEachLine(region, [&](const Line& line) {
            lines.emplace_back(Range(region, line.begin, line.end));
            return true;
        });
    } else {
        lines.push_back(Str(1, C('[')) + wantedSection + Str(1, C(']')) + eol);
    }

    for (const auto& [key, value] : keyValues) {
        const Str wantedKey = ToUnits<C>(key);
        const Str newValue = ToUnits<C>(value);
        size_t lastNonBlank = 0;
        bool replaced = false;
        for (size_t i = 1; i < lines.size(); ++i) {
            const View l(lines[i]);
            size_t contentEnd = l.size();
            while (contentEnd > 0 && (l[contentEnd - 1] == C('\n') || l[contentEnd - 1] == C('\r'))) --contentEnd;
            const Line line = ClassifyLine(l, 0, contentEnd, l.size());
            if (line.kind != LineKind::Blank) lastNonBlank = i;
            if (line.kind == LineKind::Key && NamesEqual<C>(Range(l, line.nameBegin, line.nameEnd), View(wantedKey))) {
                // Keep the key's own spelling and spacing; only the value changes.
                lines[i] = Str(l.substr(0, line.valueBegin)) + newValue + Str(l.substr(contentEnd));
                replaced = true;
                break;
            }
        }
        if (replaced) continue;
        Str& before = lines[lastNonBlank];
        if (!EndsWithLineBreak(View(before))) before += eol;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastNonBlank) + 1, wantedKey + C('=') + newValue + eol);
    }

    Str edited;
    size_t size = regionBegin + (text.size() - regionEnd) + eol.size();
    for (const Str& l : lines) size += l.size();
    edited.reserve(size);
    edited.append(all.substr(0, regionBegin));
    // A new section must not be glued to a last line that has no line ending.
    if (!found && !edited.empty() && !EndsWithLineBreak(View(edited))) edited += eol;
    for (const Str& l : lines) edited += l;
    edited.append(all.substr(regionEnd));
    text = std::move(edited);
}

bool HasLineBreakOrNul(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

bool HasSurroundingBlanks(std::string_view s) { return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back())); }

// Names and values that could not be read back as written are refused.
bool ValidSection(std::string_view s) {
    return !HasLineBreakOrNul(s) && s.find(']') == std::string_view::npos && !HasSurroundingBlanks(s);
}
bool ValidKey(std::string_view k) {
    return !k.empty() && !HasLineBreakOrNul(k) && k.find('=') == std::string_view::npos && !HasSurroundingBlanks(k) &&
           k.front() != '[' && k.front() != ';' && k.front() != '#';
}
bool ValidValue(std::string_view v) { return !HasLineBreakOrNul(v); }

std::mutex& WriteMutex() {
    static std::mutex mutex;
    return mutex;
}

size_t MaxCodePoints(size_t bufferSize) { return bufferSize == 0 ? 0 : bufferSize - 1; }

}  // namespace

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key, size_t bufferSize) {
    std::string bytes;
    if (ReadWholeFile(path, bytes) != FileReadResult::Ok) return {};
    const IniText text = Decode(std::move(bytes));
    if (text.encoding == Encoding::Utf16Le)
        return FindValue(std::u16string_view(text.utf16), section, key, MaxCodePoints(bufferSize));
    return FindValue(std::string_view(text.utf8), section, key, MaxCodePoints(bufferSize));
}

bool WriteIniStrings(const std::string& path, std::string_view section,
                     const std::vector<std::pair<std::string, std::string>>& keyValues) {
    if (!ValidSection(section)) return false;
    for (const auto& [key, value] : keyValues)
        if (!ValidKey(key) || !ValidValue(value)) return false;
    if (keyValues.empty()) return true;

    std::lock_guard lock(WriteMutex());
    std::string bytes;
    const FileReadResult read = ReadWholeFile(path, bytes);
    if (read == FileReadResult::Failed) return false;
    IniText text = Decode(std::string(bytes));
    if (text.encoding == Encoding::Utf16Le) EditSection(text.utf16, section, keyValues);
    else EditSection(text.utf8, section, keyValues);
    std::string edited = Encode(text);
    if (read == FileReadResult::Ok && edited == bytes) return true;
    return ReplaceFileAtomically(path, edited);
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    return WriteIniStrings(path, section, {{std::string(key), std::string(value)}});
}

int32_t ParseIntLikeWtoi(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

namespace {

using Sections = std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>;

// A name in a form that is equal for two names exactly when a single read would match
// them: the file's own bytes for UTF-8, and for UTF-16 UTF-8 that keeps a lone surrogate
// as its own three bytes (no caller text converts to those), never as U+FFFD.
std::string NameKey(std::string_view name) { return AsciiLowered(std::string(name)); }
std::string NameKey(std::u16string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size();) {
        const char16_t u = name[i];
        const bool lone = u >= 0xD800 && u <= 0xDFFF &&
                          !(u <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF);
        if (lone) AppendUtf8(out, u), ++i;
        else AppendUtf8(out, NextCodePoint(name, i));
    }
    return AsciiLowered(std::move(out));
}

// Names are stored as NameKey for matching. With onlySection, only the first section of that
// name is kept and parsing stops after it.
template <class C>
Sections ParseSections(std::basic_string_view<C> s, const std::string* onlySection) {
    Sections sections;
    const std::basic_string<C> wanted = onlySection ? ToUnits<C>(*onlySection) : std::basic_string<C>();
    bool keeping = false;
    ForEachLine(s, [&](const Line& line) {
        if (line.kind == LineKind::Section) {
            const auto name = Range(s, line.nameBegin, line.nameEnd);
            if (onlySection) {
                if (keeping) return false;
                keeping = NamesEqual<C>(name, wanted);
                if (!keeping) return true;
            }
            keeping = true;
            sections.emplace_back(NameKey(name),
                                  std::vector<std::pair<std::string, std::string>>{});
        } else if (line.kind == LineKind::Key && keeping) {
            sections.back().second.emplace_back(NameKey(Range(s, line.nameBegin, line.nameEnd)),
                                                ToUtf8(Range(s, line.valueBegin, line.valueEnd), SIZE_MAX));
        }
        return true;
    });
    return sections;
}

Sections ParseFile(const std::string& path, const std::string* onlySection) {
    std::string bytes;
    if (ReadWholeFile(path, bytes) != FileReadResult::Ok) return {};
    const IniText text = Decode(std::move(bytes));
    if (text.encoding == Encoding::Utf16Le) return ParseSections(std::u16string_view(text.utf16), onlySection);
    return ParseSections(std::string_view(text.utf8), onlySection);
}

}  // namespace

IniSnapshot::IniSnapshot(const std::string& path) : sections_(ParseFile(path, nullptr)) {}

IniSnapshot::IniSnapshot(const std::string& path, std::string_view onlySection) {
    const std::string wanted(onlySection);
    sections_ = ParseFile(path, &wanted);
}

std::string IniSnapshot::Read(std::string_view section, std::string_view key, size_t bufferSize) const {
    // Caller text as a single read sees it: invalid UTF-8 becomes U+FFFD.
    const std::string wantedSection = AsciiLowered(ToUnits<char>(section));
    const std::string wantedKey = AsciiLowered(ToUnits<char>(key));
    for (const auto& [name, keys] : sections_) {
        if (name != wantedSection) continue;
        for (const auto& [k, v] : keys) {
            if (k == wantedKey) return ToUtf8(std::string_view(v), MaxCodePoints(bufferSize));
        }
        break;  // only the first section of that name counts, as for single reads
    }
    return {};
}

}  // namespace zrv
