#include "NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <concepts>
#include <cstdlib>
#include <limits>
#include <string>

using namespace Qt::StringLiterals;

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Length of the leading number of text in ASCII, or 0 when it has none.
qsizetype scanNumber(QStringView text, std::string &ascii)
{
    qsizetype i = 0;
    const auto take = [&](qsizetype pos) { ascii.push_back(char(text[pos].unicode())); };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        take(i++);
    qsizetype digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        take(i++);
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        take(i++);
        while (i < text.size() && isDigit(text[i])) {
            take(i++);
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            ascii.push_back('e');
            for (qsizetype k = i + 1; k < j; ++k)
                take(k);
            while (j < text.size() && isDigit(text[j]))
                take(j++);
            i = j;
        }
    }
    return i;
}

template <typename T>
concept ReadsFromChars = requires(const char *text, T &value)
{
    std::from_chars(text, text, value);
};

// The value of a number in C syntax, whatever the locale; beyond the range of T, +/- infinity
// or 0.
template <std::floating_point T> T parseNumber(const std::string &ascii)
{
    const char *first = ascii.data() + (ascii.front() == '+' ? 1 : 0);
    if constexpr (ReadsFromChars<T>) {
        T value = 0;
        const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), value);
        Q_UNUSED(end);
        if (error == std::errc::result_out_of_range) {
            // from_chars leaves the value untouched; tell overflow from underflow by the exponent.
            const bool negative = ascii.front() == '-';
            const auto e = ascii.find('e');
            const bool tiny = e != std::string::npos && ascii[e + 1] == '-';
            if (tiny)
                return negative ? -T(0) : T(0);
            return negative ? -std::numeric_limits<T>::infinity()
                            : std::numeric_limits<T>::infinity();
        }
        return value;
    } else {
        // A standard library without it (Emscripten's) has a strtod that reads C syntax in
        // every locale.
        return std::strtod(first, nullptr);
    }
}
} // namespace

double numericValue(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    std::string ascii;
    if (scanNumber(text.mid(start), ascii) == 0)
        return 0.0;
    return parseNumber<double>(ascii);
}

QString formatNumber(qint64 value, QStringView pattern)
{
    const int width = int(pattern.count(u'0'));
    const quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    const QString digits = QString::number(magnitude).rightJustified(width, u'0');
    return value < 0 ? u'-' + digits : digits;
}

QString formatNumber(QStringView numericText, QStringView pattern)
{
    const double value = numericValue(numericText);
    constexpr double limit = 9.2e18;
    const double clamped =
        std::isfinite(value) ? std::clamp(value, -limit, limit) : (value < 0 ? -limit : limit);
    return formatNumber(qint64(std::llround(clamped)), pattern);
}

qint32 wholeValue(QStringView text)
{
    const double value = std::nearbyint(numericValue(text));
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    return qint32(std::clamp(value, lowest, highest));
}
