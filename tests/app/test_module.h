// What the test module defines, shared by the module and the tests that load
// it, so that neither restates the other: its command, the command's group and
// what it prints, and its LISP function with the function's code.
#pragma once

namespace testmodule {
inline constexpr const wchar_t* kCommandGroup = L"TESTMOD";
inline constexpr const wchar_t* kCommand = L"HELLO";
inline constexpr const wchar_t* kGreeting = L"hello from the test module\n";
// Answers with the sum of its integer arguments.
inline constexpr const wchar_t* kSumFunction = L"addup";
inline constexpr int kSumFunctionCode = 7;
}  // namespace testmodule
