#pragma once

#include <concepts>
#include <optional>

// Whole-number arithmetic that reports an overflow instead of wrapping around.
template <std::integral T>
constexpr std::optional<T> checkedAdd(T a, T b)
{
    T sum{};
    if (__builtin_add_overflow(a, b, &sum))
        return std::nullopt;
    return sum;
}

template <std::integral T>
constexpr std::optional<T> checkedSub(T a, T b)
{
    T difference{};
    if (__builtin_sub_overflow(a, b, &difference))
        return std::nullopt;
    return difference;
}

template <std::integral T, typename From>
constexpr std::optional<T> checkedNarrow(From value)
{
    T narrowed{};
    if (__builtin_add_overflow(value, From{0}, &narrowed))
        return std::nullopt;
    return narrowed;
}
