#include "app/EarlyStart.h"

EarlyStart::EarlyStart() = default;

EarlyStart::~EarlyStart() = default;

void EarlyStart::Finish() {}
