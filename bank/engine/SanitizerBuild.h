// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Defines MOCKEXAM_ADDRESS_SANITIZER in a build with the address sanitizer (gcc and clang spell the test
// differently). Such a build reserves terabytes of address space up front and puts its own runtime between the
// program and the C library's memory calls, which a few places have to allow for.
#if defined(__SANITIZE_ADDRESS__)
#define MOCKEXAM_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MOCKEXAM_ADDRESS_SANITIZER 1
#endif
#endif
