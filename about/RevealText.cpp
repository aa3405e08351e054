#include "about/RevealText.h"

#include <algorithm>

std::string RevealText(std::string_view stored) {
    std::string text(stored.size(), '\0');
    std::ranges::transform(stored, text.begin(), ScrambleByte);
    return text;
}
