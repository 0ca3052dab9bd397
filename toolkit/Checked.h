#pragma once

#include <optional>
#include <type_traits>

// Whole-number arithmetic that reports an overflow instead of wrapping around.
template <typename T> constexpr std::optional<T> checkedAdd(T a, T b)
{
    static_assert(std::is_integral_v<T>);
    T sum{};
    if (__builtin_add_overflow(a, b, &sum))
        return std::nullopt;
    return sum;
}

template <typename T> constexpr std::optional<T> checkedSub(T a, T b)
{
    static_assert(std::is_integral_v<T>);
    T difference{};
    if (__builtin_sub_overflow(a, b, &difference))
        return std::nullopt;
    return difference;
}
