#pragma once

#include <QRect>
#include <QRectF>

// Geometry is kept in twips; 15 twips are one logical pixel, and Qt's
// device-pixel ratio takes it from there.
namespace Twips {
inline constexpr int PerPixel = 15;
inline constexpr int PerInch = 1440;
inline constexpr int HimetricPerInch = 2540;

constexpr qreal toPixels(qreal twips)
{
    return twips / PerPixel;
}
constexpr int toWholePixels(int twips)
{
    return (twips + (twips >= 0 ? PerPixel / 2 : -PerPixel / 2)) / PerPixel;
}
constexpr qreal fromPixels(qreal pixels)
{
    return pixels * PerPixel;
}
constexpr qreal fromHimetric(qreal himetric)
{
    return himetric * PerInch / HimetricPerInch;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toWholePixels(left), toWholePixels(top), toWholePixels(width),
                 toWholePixels(height));
}

inline QRectF rectF(qreal left, qreal top, qreal width, qreal height)
{
    return QRectF(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
} // namespace Twips
