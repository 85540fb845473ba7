// Where a window or an icon goes: the arithmetic of centring, kept apart from the Win32 calls
// so that it can be checked on its own.
#pragma once

namespace quorvel::win32 {

struct PixelPoint {
    int x;
    int y;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
};

// The top-left corner of an icon drawn centred in a client area, as the minimised dialog paints
// it: (client − icon + 1) / 2 in each direction. The division truncates toward zero, so an icon
// larger than the client area by one or two pixels is drawn at 0, not at −1.
constexpr PixelPoint CentredIconOrigin(int clientWidth, int clientHeight, int iconWidth,
                                       int iconHeight) {
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

// The top-left corner of a window of the given size centred over `reference` (the owner's
// window, or the work area itself), then moved back inside `workArea` where it would stick out.
// A window larger than the work area keeps its left or top edge on the work area's.
constexpr PixelPoint CentredWindowOrigin(const PixelRect& reference, const PixelRect& workArea,
                                         int width, int height) {
    auto place = [](int referenceLow, int referenceHigh, int low, int high, int size) {
        int origin = (referenceLow + referenceHigh) / 2 - size / 2;
        if (origin + size > high) {
            origin = high - size;
        }
        if (origin < low) {
            origin = low;
        }
        return origin;
    };
    return {place(reference.left, reference.right, workArea.left, workArea.right, width),
            place(reference.top, reference.bottom, workArea.top, workArea.bottom, height)};
}

}  // namespace quorvel::win32
