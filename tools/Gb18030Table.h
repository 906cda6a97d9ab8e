// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The mapping of GB18030 to Unicode that tools/TextDecoding needs and no library of the Windows build provides.
// Two-byte codes are indexed by (lead - 0x81) * 190 + trail position (0x40..0x7E, then 0x80..0xFE). Four-byte codes of
// the Basic Multilingual Plane are ranges of consecutive code points by linear index from 81 30 81 30; those above it
// follow from 90 30 81 30 by arithmetic alone.
constexpr int kGb18030TwoByteCount = 126 * 190;
constexpr int kGb18030FourByteRangeCount = 210;

struct Gb18030Range {
    int linearStart;
    char32_t codePoint;
    int length;
};

extern const char32_t kGb18030TwoByte[kGb18030TwoByteCount];
extern const Gb18030Range kGb18030FourByteRanges[kGb18030FourByteRangeCount];
