// Small text rules shared by every part of the program. ANSI texts; case-insensitive comparisons fold
// ASCII letters only, which is exact for the ASCII tokens the program looks for.
#pragma once

#include <string>
#include <string_view>

namespace sx {

// Longest text `matches` looks into; a longer text matches nothing.
inline constexpr size_t kMatchTextMax = 772;

// True when `token` occurs anywhere in `text`, case-insensitively. False when the text is empty,
// longer than kMatchTextMax or shorter than the token; an empty token matches any non-empty text.
bool matches(std::string_view text, std::string_view token);

char fold_ascii(char c);
bool iequals(std::string_view a, std::string_view b);
// <0, 0, >0 like lstrcmpiA for ASCII letters.
int icompare(std::string_view a, std::string_view b);
std::string upper(std::string_view text);
// Position of the first case-insensitive occurrence, or npos.
size_t ifind(std::string_view text, std::string_view token);

// The text after the last backslash; the whole text when there is none.
std::string_view file_part(std::string_view path);
// The text before the last backslash; empty when there is none.
std::string_view folder_part(std::string_view path);
// Cut to at most `max` characters.
std::string cut(std::string_view text, size_t max);
// The text with every double quote taken out.
std::string without_quotes(std::string_view text);
// The bytes up to the first zero.
std::string_view until_zero(std::string_view bytes);

// atoi: leading white space, an optional sign, digits up to the first other character; no digits
// give 0; values beyond int are clamped.
int to_int(std::string_view text);

// printf-style formatting into a std::string.
std::string format(const char* pattern, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Replaces the first "%s" of a message with `value`.
std::string fill_in(std::string_view message, std::string_view value);

}  // namespace sx
