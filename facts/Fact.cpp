#include "facts/Fact.h"

std::string FactText(Fact fact) {
    return std::to_string(fact.multiplier) + " \u00B7 " + std::to_string(fact.row);
}
