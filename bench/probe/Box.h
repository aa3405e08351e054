#pragma once

// A rectangle in pixels; width and height are at least 1.
struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr Box Moved(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
    constexpr bool Intersects(const Box& other) const {
        return x < other.x + other.width && other.x < x + width && y < other.y + other.height &&
               other.y < y + height;
    }
    constexpr int CentreX() const { return x + width / 2; }
    constexpr int CentreY() const { return y + height / 2; }
};
