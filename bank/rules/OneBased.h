// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>

#include <QtGlobal>

// A fixed array numbered 1..N, the way questions, answer boxes and knowledge slots are numbered throughout the
// exam. Keeping the numbering as it is named avoids off-by-one translations at every screen and in grading.
template <typename T, std::size_t N> class OneBased {
public:
    T &operator[](int n) {
        Q_ASSERT(n >= 1 && n <= int(N));
        return m_items[std::size_t(n - 1)];
    }
    const T &operator[](int n) const {
        Q_ASSERT(n >= 1 && n <= int(N));
        return m_items[std::size_t(n - 1)];
    }
    static constexpr int size() { return int(N); }
    void fill(const T &value) { m_items.fill(value); }

private:
    std::array<T, N> m_items{};
};
