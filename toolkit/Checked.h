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

template <typename T, typename From> constexpr std::optional<T> checkedNarrow(From value)
{
    static_assert(std::is_integral_v<T> && std::is_integral_v<From>);
    T narrowed{};
    if (__builtin_add_overflow(value, From{0}, &narrowed))
        return std::nullopt;
    return narrowed;
}
