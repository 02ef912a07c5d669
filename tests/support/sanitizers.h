// Whether this test program runs under AddressSanitizer, where every memory
// access is checked and a long test costs several times its normal time: the
// longest tests run shorter there (the normal build runs them in full).
#pragma once

namespace tavrine::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderSanitizer = true;
#else
inline constexpr bool kUnderSanitizer = false;
#endif
#else
inline constexpr bool kUnderSanitizer = false;
#endif

}  // namespace tavrine::test
