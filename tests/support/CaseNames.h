// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names of parameterised cases that read well and never change between
// builds: the case's number, then what the case is about in ASCII letters
// and digits. The value comes from the case's `Name` member when it has one,
// else from the value itself when it is a number or a text; other values
// are named by their number alone (printing them would dump their bytes).

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

// Passed as the name generator of INSTANTIATE_TEST_SUITE_P.
struct CaseNameGenerator {
    template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        std::string about;
        if constexpr (requires { std::string_view(info.param.Name); })
            about = CaseNameText(info.param.Name);
        else if constexpr (std::is_arithmetic_v<T>)
            about = CaseNameText(::testing::PrintToString(info.param));
        else if constexpr (std::is_convertible_v<const T&, std::string_view>)
            about = CaseNameText(std::string_view(info.param));
        const std::string number = std::to_string(info.index);
        return about.empty() ? number : number + "_" + about;
    }
};
inline constexpr CaseNameGenerator CaseName{};

} // namespace tevrix::testing
