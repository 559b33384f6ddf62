// Bounds on what a resource script may ask of the compiler, so that hostile input
// fails with a message instead of exhausting memory or the stack.
#pragma once
#include <cstddef>

namespace arxrc::limits {

constexpr std::size_t kScriptFileBytes = 8u << 20;   // a script or header
constexpr std::size_t kTotalSourceBytes = 64u << 20;  // all of them together
constexpr std::size_t kDataFileBytes = 16u << 20;    // a file embedded as a resource
constexpr std::size_t kTotalDataBytes = 64u << 20;
constexpr int kIncludeDepth = 32;
constexpr int kConditionalDepth = 64;
constexpr int kExpressionDepth = 200;
constexpr int kMacroDepth = 64;
constexpr std::size_t kMacroExpansionTokens = 1u << 20;
constexpr std::size_t kStringLength = 65535;  // a string table entry's WORD length
constexpr std::size_t kResources = 65535;
constexpr std::size_t kDialogControls = 65535;  // a template's WORD control count

}  // namespace arxrc::limits
