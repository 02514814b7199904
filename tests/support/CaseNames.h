// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names of parameterised cases that read well and never change between
// builds: the case's number, then what the case is about in ASCII letters
// and digits (AboutCase). Values that are neither texts nor numbers are
// named by their number alone: printing them would dump their bytes.

#include <concepts>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <type_traits>

namespace tevrix::testing {

// `text` in ASCII: Cyrillic letters transliterated, every other run of
// characters that cannot stand in a test name an underscore; at most 40
// characters.
std::string CaseNameText(std::string_view text);

// A value as a name: a text as it is, a number as it prints; nothing for
// other types.
template <class V> std::string AboutValue(const V& value) {
    if constexpr (std::is_arithmetic_v<V>)
        return CaseNameText(::testing::PrintToString(value));
    else if constexpr (std::is_convertible_v<const V&, std::string_view>)
        return CaseNameText(std::string_view(value));
    else
        return {};
}

// What a case is about: its Name, else the first of its members that usually
// say what it tests (Text, Input, Pattern, Key, Value, Utf8, N), else the
// value itself.
template <class T> std::string AboutCase(const T& param) {
    if constexpr (requires { param.Name; })
        return AboutValue(param.Name);
    else if constexpr (requires { param.Text; })
        return AboutValue(param.Text);
    else if constexpr (requires { param.Input; })
        return AboutValue(param.Input);
    else if constexpr (requires { param.Pattern; })
        return AboutValue(param.Pattern);
    else if constexpr (requires { param.Key; })
        return AboutValue(param.Key);
    else if constexpr (requires { param.Value; })
        return AboutValue(param.Value);
    else if constexpr (requires { param.Utf8; })
        return AboutValue(param.Utf8);
    else if constexpr (requires { param.N; })
        return AboutValue(param.N);
    else
        return AboutValue(param);
}

// Passed as the name generator of INSTANTIATE_TEST_SUITE_P.
struct CaseNameGenerator {
    template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        const std::string about = AboutCase(info.param);
        const std::string number = std::to_string(info.index);
        return about.empty() ? number : number + "_" + about;
    }
};
inline constexpr CaseNameGenerator CaseName{};

} // namespace tevrix::testing
